// The lines of the built-in value lists, exactly as the window shows them. Blanks
// count: a few type lines are the number alone, "ListSS" has one line with a
// single blank, and some lines end with a blank.
#include "app/editor/ValueLists.h"

namespace {

const wchar_t* const kListTypes[] = {
    L"0  <none>", L"1  <none>", L"2  Altar of Sacrifice", L"3  Anchor Point", L"4  Arena", L"5  Artifact",
    L"6  Pandora's Box", L"7  Black Market", L"8  Boat", L"9  Borderguard", L"10  Keymaster's Tent", L"11  Buoy",
    L"12  Campfire", L"13  Cartographer", L"14  Swan Pond", L"15  Cover of Darkness", L"16  Creature Bank",
    L"17  Creature Generator 1", L"18  Creature Generator 2", L"19  Creature Generator 3",
    L"20  Creature Generator 4", L"21  Cursed Ground", L"22  Corpse", L"23  Marletto Tower", L"24  Derelict Ship",
    L"25  Dragon Utopia", L"26  Event", L"27  Eye of the Magi", L"28  Faerie Ring", L"29  Flotsam",
    L"30  Fountain of Fortune", L"31  Fountain of Youth", L"32  Garden of Revelation", L"33  Garrison", L"34  Hero",
    L"35  Hill Fort", L"36  Grail", L"37  Hut of the Magi", L"38  Idol of Fortune", L"39  Lean To", L"40  <blank>",
    L"41  Library of Enlightenment", L"42  Lighthouse", L"43  Monolith One Way Entrance",
    L"44  Monolith One Way Exit", L"45  Monolith Two Way", L"46  Magic Plains", L"47  School of Magic",
    L"48  Magic Spring", L"49  Magic Well", L"50  <blank>", L"51  Mercenary Camp", L"52  Mermaid", L"53  Mine",
    L"54  Monster", L"55  Mystical Garden", L"56  Oasis", L"57  Obelisk", L"58  Redwood Observatory",
    L"59  Ocean Bottle", L"60  Pillar of Fire", L"61  Star Axis", L"62  Prison", L"63  Pyramid", L"64  Rally Flag",
    L"65  Random Artifact", L"66  Random Treasure Artifact", L"67  Random Minor Artifact",
    L"68  Random Major Artifact", L"69  Random Relic", L"70  Random Hero", L"71  Random Monster",
    L"72  Random Monster 1", L"73  Random Monster 2", L"74  Random Monster 3", L"75  Random Monster 4",
    L"76  Random Resource", L"77  Random Town", L"78  Refugee Camp", L"79  Resource", L"80  Sanctuary",
    L"81  Scholar", L"82  Sea Chest", L"83  Seer's Hut", L"84  Crypt", L"85  Shipwreck", L"86  Shipwreck Survivor",
    L"87  Shipyard", L"88  Shrine of Magic Incantation", L"89  Shrine of Magic Gesture",
    L"90  Shrine of Magic Thought", L"91  Sign", L"92  Sirens", L"93  Spell Scroll", L"94  Stables", L"95  Tavern",
    L"96  Temple", L"97  Den of Thieves", L"98  Town", L"99  Trading Post", L"100  Learning Stone",
    L"101  Treasure Chest", L"102  Tree of Knowledge", L"103  Subterranean Gate", L"104  University", L"105  Wagon",
    L"106  War Machine Factory", L"107  School of War", L"108  Warrior's Tomb", L"109  Water Wheel",
    L"110  Watering Hole", L"111  Whirlpool", L"112  Windmill", L"113  Witch Hut", L"114  Brush", L"115  Bush",
    L"116  Cactus", L"117  Canyon", L"118  Crater", L"119  Dead Vegetation", L"120  Flowers", L"121  Frozen Lake",
    L"122  Hedge", L"123  Hill", L"124  Hole", L"125  Kelp", L"126  Lake", L"127  Lava Flow", L"128  Lava Lake",
    L"129  Mushrooms", L"130  Log", L"131  Mandrake", L"132  Moss", L"133  Mound", L"134  Mountain",
    L"135  Oak Trees", L"136  Outcropping", L"137  Pine Trees", L"138  Plant", L"139", L"140", L"141", L"142",
    L"143  River Delta", L"144", L"145", L"146", L"147  Rock", L"148  Sand Dune", L"149  Sand Pit", L"150  Shrub",
    L"151  Skull", L"152  Stalagmite", L"153  Stump", L"154  Tar Pit", L"155  Trees", L"156  Vine",
    L"157  Volcanic Vent", L"158  Volcano", L"159  Willow Trees", L"160  Yucca Trees", L"161  Reef",
    L"162  Random Monster 5", L"163  Random Monster 6", L"164  Random Monster 7", L"165  Brush", L"166  Bush",
    L"167  Cactus", L"168  Canyon", L"169  Crater", L"170  Dead Vegetation", L"171  Flowers", L"172  Frozen Lake",
    L"173  Hedge", L"174  Hill", L"175  Hole", L"176  Kelp", L"177  Lake", L"178  Lava Flow", L"179  Lava Lake",
    L"180  Mushrooms", L"181  Log", L"182  Mandrake", L"183  Moss", L"184  Mound", L"185  Mountain",
    L"186  Oak Trees", L"187  Outcropping", L"188  Pine Trees", L"189  Plant", L"190  River Delta", L"191  Rock",
    L"192  Sand Dune", L"193  Sand Pit", L"194  Shrub", L"195  Skull", L"196  Stalagmite", L"197  Stump",
    L"198  Tar Pit", L"199  Trees", L"200  Vine", L"201  Volcanic Vent", L"202  Volcano", L"203  Willow Trees",
    L"204  Yucca Trees", L"205  Reef", L"206  Desert Hills", L"207  Dirt Hills", L"208  Grass Hills",
    L"209  Rough Hills", L"210  Subterranean Rocks", L"211  Swamp Foliage", L"212  Border Gate",
    L"213  Freelancer's Guild", L"214  Hero Placeholder", L"215  Quest Guard", L"216  Random Dwelling",
    L"217  <none>", L"218  <none>", L"219  Garrison", L"220  Mine", L"221  Traiding Post", L"222  Clover Field",
    L"223  Cursed Ground", L"224  Evil Fog", L"225  Favourable Winds", L"226  Fiery Fields", L"227  Holy Ground",
    L"228  Lucid Pools", L"229  Magic Clouds", L"230  Magic Plains", L"231  Rocklands",
};

const wchar_t* const kListTypesA[] = {
    L"40  <blank>", L"50  <blank>", L"0  <none>", L"1  <none>", L"217  <none>", L"218  <none>",
    L"2  Altar of Sacrifice", L"3  Anchor Point", L"4  Arena", L"5  Artifact", L"7  Black Market", L"8  Boat",
    L"212  Border Gate", L"9  Borderguard", L"114  Brush", L"165  Brush", L"11  Buoy", L"115  Bush", L"166  Bush",
    L"116  Cactus", L"167  Cactus", L"12  Campfire", L"117  Canyon", L"168  Canyon", L"13  Cartographer",
    L"222  Clover Field", L"22  Corpse", L"15  Cover of Darkness", L"118  Crater", L"169  Crater",
    L"16  Creature Bank", L"17  Creature Generator 1", L"18  Creature Generator 2", L"19  Creature Generator 3",
    L"20  Creature Generator 4", L"84  Crypt", L"21  Cursed Ground", L"223  Cursed Ground", L"119  Dead Vegetation",
    L"170  Dead Vegetation", L"97  Den of Thieves", L"24  Derelict Ship", L"206  Desert Hills", L"207  Dirt Hills",
    L"25  Dragon Utopia", L"26  Event", L"224  Evil Fog", L"27  Eye of the Magi", L"28  Faerie Ring",
    L"225  Favourable Winds", L"226  Fiery Fields", L"29  Flotsam", L"120  Flowers", L"171  Flowers",
    L"30  Fountain of Fortune", L"31  Fountain of Youth", L"213  Freelancer's Guild", L"121  Frozen Lake",
    L"172  Frozen Lake", L"32  Garden of Revelation", L"219  Garrison", L"33  Garrison", L"36  Grail",
    L"208  Grass Hills", L"122  Hedge", L"173  Hedge", L"34  Hero", L"214  Hero Placeholder", L"123  Hill",
    L"174  Hill", L"35  Hill Fort", L"124  Hole", L"175  Hole", L"227  Holy Ground", L"37  Hut of the Magi",
    L"38  Idol of Fortune", L"125  Kelp", L"176  Kelp", L"10  Keymaster's Tent", L"126  Lake", L"177  Lake",
    L"127  Lava Flow", L"178  Lava Flow", L"128  Lava Lake", L"179  Lava Lake", L"39  Lean To",
    L"100  Learning Stone", L"41  Library of Enlightenment", L"42  Lighthouse", L"130  Log", L"181  Log",
    L"228  Lucid Pools", L"229  Magic Clouds", L"46  Magic Plains", L"230  Magic Plains", L"48  Magic Spring",
    L"49  Magic Well", L"131  Mandrake", L"182  Mandrake", L"23  Marletto Tower", L"51  Mercenary Camp",
    L"52  Mermaid", L"220  Mine", L"53  Mine", L"43  Monolith One Way Entrance", L"44  Monolith One Way Exit",
    L"45  Monolith Two Way", L"54  Monster", L"132  Moss", L"183  Moss", L"133  Mound", L"184  Mound",
    L"134  Mountain", L"185  Mountain", L"129  Mushrooms", L"180  Mushrooms", L"55  Mystical Garden",
    L"135  Oak Trees", L"186  Oak Trees", L"56  Oasis", L"57  Obelisk", L"59  Ocean Bottle", L"136  Outcropping",
    L"187  Outcropping", L"6  Pandora's Box", L"60  Pillar of Fire", L"137  Pine Trees", L"188  Pine Trees",
    L"138  Plant", L"189  Plant", L"62  Prison", L"63  Pyramid", L"215  Quest Guard", L"64  Rally Flag",
    L"65  Random Artefact", L"216  Random Dwelling", L"70  Random Hero", L"68  Random Major Artefact",
    L"67  Random Minor Artefact", L"71  Random Monster", L"72  Random Monster 1", L"73  Random Monster 2",
    L"74  Random Monster 3", L"75  Random Monster 4", L"162  Random Monster 5", L"163  Random Monster 6",
    L"164  Random Monster 7", L"69  Random Relic", L"76  Random Resource", L"77  Random Town",
    L"66  Random Treasure Artifact", L"58  Redwood Observatory", L"161  Reef", L"205  Reef", L"78  Refugee Camp",
    L"79  Resource", L"143  River Delta", L"190  River Delta", L"147  Rock", L"191  Rock", L"231  Rocklands",
    L"209  Rough Hills", L"80  Sanctuary", L"148  Sand Dune", L"192  Sand Dune", L"149  Sand Pit", L"193  Sand Pit",
    L"81  Scholar", L"47  School of Magic", L"107  School of War", L"82  Sea Chest", L"83  Seer's Hut",
    L"85  Shipwreck", L"86  Shipwreck Survivor", L"87  Shipyard", L"89  Shrine of Magic Gesture",
    L"88  Shrine of Magic Incantation", L"90  Shrine of Magic Thought", L"150  Shrub", L"194  Shrub", L"91  Sign",
    L"92  Sirens", L"151  Skull", L"195  Skull", L"93  Spell Scroll", L"94  Stables", L"152  Stalagmite",
    L"196  Stalagmite", L"61  Star Axis", L"153  Stump", L"197  Stump", L"103  Subterranean Gate",
    L"210  Subterranean Rocks", L"211  Swamp Foliage", L"14  Swan Pond", L"154  Tar Pit", L"198  Tar Pit",
    L"95  Tavern", L"96  Temple", L"98  Town", L"99  Trading Post", L"221  Traiding Post", L"101  Treasure Chest",
    L"102  Tree of Knowledge", L"155  Trees", L"199  Trees", L"104  University", L"156  Vine", L"200  Vine",
    L"157  Volcanic Vent", L"201  Volcanic Vent", L"158  Volcano", L"202  Volcano", L"105  Wagon",
    L"106  War Machine Factory", L"108  Warrior's Tomb", L"109  Water Wheel", L"110  Watering Hole",
    L"111  Whirlpool", L"159  Willow Trees", L"203  Willow Trees", L"112  Windmill", L"113  Witch Hut",
    L"160  Yucca Trees", L"204  Yucca Trees",
};

const wchar_t* const kListSubtypes[] = {
    L"5\tA1", L"9\tBG", L"10\tBG", L"16\tCB", L"17\tCG", L"20\tCG1", L"34\tH", L"43\tM1", L"44\tM1", L"45\tM2",
    L"53\tR", L"54\tC", L"79\tR", L"98\tT", L"113\tSS", L"212\tBG",
};

const wchar_t* const kListA1[] = {
    L"0  Spell book", L"1  Spell Scroll", L"2  Grail", L"3  Catapult", L"4  Ballista", L"5  Ammo Cart",
    L"6  First Aid Tent", L"7  Centaur Axe", L"8  Blackshard of the Dead Knight", L"9  Greater Gnoll's Flail",
    L"10  Ogre's Club of Havoc", L"11  Sword of Hellfire", L"12  Titan's Gladius", L"13  Shield of the Dwarven Lords",
    L"14  Shield of the Yawning Dead", L"15  Buckler of the Gnoll King", L"16  Targ of the Rampaging Ogre",
    L"17  Shield of the Damned", L"18  Sentinel's Shield", L"19  Helm of the Alabaster Unicorn", L"20  Skull Helmet",
    L"21  Helm of Chaos", L"22  Crown of the Supreme Magi", L"23  Hellstorm Helmet", L"24  Thunder Helmet",
    L"25  Breastplate of Petrified Wood", L"26  Rib Cage", L"27  Scales of the Greater Basilisk",
    L"28  Tunic of the Cyclops King", L"29  Breastplate of Brimstone", L"30  Titan's Cuirass", L"31  Armor of Wonder",
    L"32  Sandals of the Saint", L"33  Celestial Necklace of Bliss", L"34  Lion's Shield of Courage",
    L"35  Sword of Judgement", L"36  Helm of Heavenly Enlightenment", L"37  Quiet Eye of the Dragon",
    L"38  Red Dragon Flame Tongue", L"39  Dragon Scale Shield", L"40  Dragon Scale Armor", L"41  Dragonbone Greaves",
    L"42  Dragon Wing Tabard", L"43  Necklace of Dragonteeth", L"44  Crown of Dragontooth",
    L"45  Still Eye of the Dragon", L"46  Clover of Fortune", L"47  Cards of Prophecy", L"48  Ladybird of Luck",
    L"49  Badge of Courage", L"50  Crest of Valor", L"51  Glyph of Gallantry", L"52  Speculum", L"53  Spyglass",
    L"54  Amulet of the Undertaker", L"55  Vampire's Cowl", L"56  Dead Man's Boots", L"57  Garniture of Interference",
    L"58  Surcoat of Counterpoise", L"59  Boots of Polarity", L"60  Bow of Elven Cherrywood",
    L"61  Bowstring of the Unicorn's Mane", L"62  Angel Feather Arrows", L"63  Bird of Perception",
    L"64  Stoic Watchman", L"65  Emblem of Cognizance", L"66  Statesman's Medal", L"67  Diplomat's Ring",
    L"68  Ambassador's Sash", L"69  Ring of the Wayfarer", L"70  Equestrian's Gloves",
    L"71  Necklace of Ocean Guidance", L"72  Angel Wings", L"73  Charm of Mana", L"74  Talisman of Mana",
    L"75  Mystic Orb of Mana", L"76  Collar of Conjuring", L"77  Ring of Conjuring", L"78  Cape of Conjuring",
    L"79  Orb of the Firmament", L"80  Orb of Silt", L"81  Orb of Tempestuous Fire", L"82  Orb of Driving Rain",
    L"83  Recanter's Cloak", L"84  Spirit of Oppression", L"85  Hourglass of the Evil Hour",
    L"86  Tome of Fire Magic", L"87  Tome of Air Magic", L"88  Tome of Water Magic", L"89  Tome of Earth Magic",
    L"90  Boots of Levitation", L"91  Golden Bow", L"92  Sphere of Permanence", L"93  Orb of Vulnerability",
    L"94  Ring of Vitality", L"95  Ring of Life", L"96  Vial of Lifeblood", L"97  Necklace of Swiftness",
    L"98  Boots of Speed", L"99  Cape of Velocity", L"100  Pendant of Dispassion", L"101  Pendant of Second Sight",
    L"102  Pendant of Holiness", L"103  Pendant of Life", L"104  Pendant of Death", L"105  Pendant of Free Will",
    L"106  Pendant of Negativity", L"107  Pendant of Total Recall", L"108  Pendant of Courage",
    L"109  Everflowing Crystal Cloak", L"110  Ring of Infinite Gems", L"111  Everpouring Vial of Mercury",
    L"112  Inexhaustible Cart of Ore", L"113  Eversmoking Ring of Sulfur", L"114  Inexhaustible Cart of Lumber",
    L"115  Endless Sack of Gold", L"116  Endless Bag of Gold", L"117  Endless Purse of Gold", L"118  Legs of Legion",
    L"119  Loins of Legion", L"120  Torso of Legion", L"121  Arms of Legion", L"122  Head of Legion",
    L"123  Sea Captain's Hat", L"124  Spellbinder's Hat", L"125  Shackles of War", L"126  Orb of Inhibition",
    L"127  Vial of Dragon Blood", L"128  Armageddon's Blade", L"129  Angelic Alliance",
    L"130  Cloak of the Undead King", L"131  Elixir of Life", L"132  Armor of the Damned", L"133  Statue of Legion",
    L"134  Power of the Dragon Father", L"135  Titan's Thunder", L"136  Admiral's Hat",
    L"137  Bow of the Sharpshooter", L"138  Wizard's Well", L"139  Ring of the Magi", L"140  Cornucopia",
    L"141  Magic Wand *", L"142  Gold Tower Arrow *", L"143  Monster's Power *", L"144  Artifact Lock **",
    L"145  Highlighted Slot **", L"146  Axe of Smashing ***", L"147  Mithril Mail ***",
    L"148  Sword of Sharpness ***", L"149  Helm of Immortality ***", L"150  Pendant of Sorcery ***",
    L"151  Boots of Haste ***", L"152  Bow of Seeking ***", L"153  Dragon Eye Ring ***", L"154  Hardened Shield ***",
    L"155  Zelvo's Ring of Power ***", L"156  Warlord's banner * ", L"157  Crimson Shield of Retribution * ",
    L"158  Barbarian Lord's Axe of Ferocity * ", L"159  Dragonheart * ", L"160  Gate Key * ",
    L"161  Blank Helmet **** ", L"162  Blank Sword **** ", L"163  Blank Shield **** ",
    L"164  Blank Horned Ring **** ", L"165  Blank Gemmed Ring **** ", L"166  Blank Neck Broach **** ",
    L"167  Blank Armor **** ", L"168  Blank Surcoat **** ", L"169  Blank Boots **** ", L"170  Blank Horn **** ",
};

const wchar_t* const kHintA1[] = {
    L"*  WoG artifacts", L"**  Not artifacts (internal use only)", L"***  Commander Artifacts",
    L"****  Blank Artifacts",
};

const wchar_t* const kListBG[] = {
    L"0  Light blue", L"1  Green", L"2  Red", L"3  Dark blue", L"4  Brown", L"5  Purple", L"6  White", L"7  Black",
};

const wchar_t* const kListCB[] = {
    L"0  Cyclops Stockpile", L"1  Dwarven Treasury", L"2  Griffin Conservatory", L"3  Imp Cache", L"4  Medusa Stores",
    L"5  Naga Bank", L"6  Dragon Fly Hive", L"7  NOT USED", L"8  NOT USED", L"9  NOT USED", L"10  NOT USED",
    L"11  Hunting Lodge", L"12  Snow-covered Grotto", L"13  Palace of Martial Spirit (Emissaries of War)",
    L"14  Citadel of Pacification (Emissaries of Peace)", L"15  Monastery of Magicians (Emissaries of Mana)",
    L"16  Library of Legends (Emissaries of Lore)", L"17  Transylvanian Tavern", L"18  Home of the Bat",
    L"19  Lost Bottle", L"20  Grotto",
};

const wchar_t* const kListCG[] = {
    L"56  Guardhouse (Pikemen)", L"57  Archers' Tower (Archers)", L"25  Griffin Tower (Griffins)",
    L"58  Barracks (Swordsmen)", L"35  Monastery (Monks)", L"5  Training Grounds (Cavaliers)",
    L"8  Portal of Glory (Angels)", L"80  Portal of Splendor (Supreme Archangels)", L"6  Centaur Stables (Centaurs)",
    L"12  Dwarf Cottage (Dwarves)", L"15  Homestead (Elves)", L"50  Enchanted Spring (Pegasi)",
    L"45  Dendroid Arches (Dendroid Guards)", L"51  Unicorn Glade (Unicorns) (Standard Version)",
    L"68  Unicorn Glade (Unicorns) (Small Version)", L"24  Dragon Cliffs (Green Dragons)",
    L"81  Dragon Peaks (Diamond Dragons)", L"43  Workshop (Gremlins)", L"17  Parapet (Stone Gargoyles)",
    L"31  Mage Tower (Mages)", L"18  Altar of Wishes (Genies)", L"36  Golden Pavilion (Nagas)",
    L"44  Cloud Temple (Giants)", L"82  Storm Temple (Lords of Thunder)", L"29  Imp Crucible (Imps)",
    L"22  Hall of Sins (Gogs)", L"27  Kennels (Hell Hounds)", L"37  Demon Gate (Demons)",
    L"40  Hell Hole (Pit Fiends)", L"14  Fire Lake (Efreet)", L"10  Forsaken Palace (Devils)",
    L"83  Unholy Palace (Antichrists)", L"54  Cursed Temple (Skeletons)", L"55  Graveyard (Walking Dead)",
    L"48  Tomb of Souls (Wights)", L"53  Estate (Vampires)", L"52  Mausoleum (Liches)",
    L"3  Hall of Darkness (Black Knights)", L"4  Dragon Vault (Bone Dragons)", L"84  Spectral Vault (Blood Dragons)",
    L"46  Warren (Troglodytes)", L"26  Harpy Loft (Harpies)", L"2  Pillar of Eyes (Beholders)",
    L"33  Chapel of Stilled Voices (Medusas)", L"34  Labyrinth (Minotaurs)", L"32  Manticore Lair (Manticores)",
    L"41  Dragon Cave (Red Dragons)", L"85  Cave of Darkness (Darkness Dragons)", L"21  Goblin Barracks (Goblins)",
    L"19  Wolf Pen (Wolf Riders)", L"39  Orc Tower (Orcs)", L"38  Ogre Fort (Ogres)", L"42  Cliff Nest (Rocs)",
    L"9  Cyclops Cave (Cyclops)", L"1  Behemoth Crag (Behemoths)", L"86  Behemoth Tomb (Ghost Behemoths)",
    L"20  Gnoll Hut (Gnolls)", L"30  Lizard Den (Lizardmen)", L"11  Serpent Fly Hive (Serpent Flies)",
    L"0  Basilisk Pit (Basilisks)", L"23  Gorgon Lair (Gorgons)", L"49  Wyvern Nest (Wyverns)",
    L"28  Hydra Pond (Hydras)", L"87  Chaos Pool (Hell Hydras)", L"59  Magic Lantern (Pixies)",
    L"7  Air Elemental Conflux (Air Elementals)", L"69  Altar of Air (Air Elementals)",
    L"47  Water Elemental Conflux (Water Elementals)", L"72  Altar of Water (Water Elementals)",
    L"16  Fire Elementals Conflux (Fire Elementals)", L"71  Altar of Fire (Fire Elementals)",
    L"13  Earth Elemental Conflux (Earth Elementals)", L"70  Altar of Earth (Earth Elementals)",
    L"60  Altar of Thought (Psychic Elementals)", L"61  Pyre (Firebirds)", L"88  Spirit Pyre (Sacred Phoenixes)",
    L"74  Hovel (Peasants)", L"73  Thatched Hut (Halflings)", L"75  Boar Glen (Boars)", L"78  Rogue Cavern (Rogues)",
    L"77  Nomad Tent (Nomads)", L"76  Tomb of Curses (Mummies)", L"67  Treetop Tower (Sharpshooters)",
    L"79  Troll Bridge (Trolls)", L"66  Enchanter's Hollow (Enchanters)", L"64  Magic Forest (Faerie Dragons)",
    L"65  Sulfurous Lair (Rust Dragons)", L"63  Crystal Cavern (Crystal Dragons)",
    L"62  Frozen Cliffs (Azure Dragons)", L"89  Rock Covered Position (Lava Sharpshooters)",
    L"90  Snow Covered Position (Arctic Sharpshooters)", L"91  Vast Cavern (Gorynyches)",
    L"92  Dream Horse-shoe (Nightmares)", L"93  Natural Calamity (Earth, Air Fire, Water Messengers)",
    L"94  Lost Friary (War Zealots)", L"95  Snowman (Santa Gremlins)",
};

const wchar_t* const kListCG1[] = {
    L"0  Elemental Conflux (Air, Earth, Fire, Water Elementals)",
    L"1  Golem Factory (Stone, Iron, Gold, Diamond Golems)",
};

const wchar_t* const kListH[] = {
    L"0  Knight", L"1  Cleric", L"2  Ranger", L"3  Druid", L"4  Alchemist", L"5  Wizard", L"6  Demoniac",
    L"7  Heretic", L"8  Death Knight", L"9  Necromancer", L"10  Overlord", L"11  Warlock", L"12  Barbarian",
    L"13  Battle Mage", L"14  Beastmaster", L"15  Witch", L"16  Planeswalker", L"17  Elementalist",
};

const wchar_t* const kListM1[] = {
    L"0  Blue (starfield)", L"1  Red (white vortex)", L"2  Yellow (gold/brown)", L"3  (yellow glowing)",
    L"4  (New Style: purple/white swirl)", L"5  (New Style: yellow glow spots)", L"6  (New Style: red spiral)",
    L"7  (New Style: white glow sphere)",
};

const wchar_t* const kListM2[] = {
    L"0  Green (lightning)", L"1  Orange (bubbles) ", L"2  Purple (ripples)", L"3  (brownish)",
    L"4  (New Style: green energy)", L"5  (New Style: exploding line)", L"6  (New Style: glowing sphere)",
    L"7  (New Style: whirling shape)", L"8  (WoG: snow portal)",
};

const wchar_t* const kListR[] = {
    L"0  Wood", L"1  Mercury", L"2  Ore", L"3  Sulfur", L"4  Crystal", L"5  Gems", L"6  Gold", L"7  Mithril",
};

const wchar_t* const kListC[] = {
    L"0  Pikeman", L"1  Halberdier", L"2  Archer", L"3  Marksman", L"4  Griffin", L"5  Royal Griffin",
    L"6  Swordsman", L"7  Crusader", L"8  Monk", L"9  Zealot", L"10  Cavalier", L"11  Champion", L"12  Angel",
    L"13  Archangel", L"14  Centaur", L"15  Centaur Captain", L"16  Dwarf", L"17  Battle Dwarf", L"18  Wood Elf",
    L"19  Grand Elf", L"20  Pegasus", L"21  Silver Pegasus", L"22  Dendroid Guard", L"23  Dendroid Soldier",
    L"24  Unicorn", L"25  War Unicorn", L"26  Green Dragon", L"27  Gold Dragon", L"28  Gremlin",
    L"29  Master Gremlin", L"30  Stone Gargoyle", L"31  Obsidian Gargoyle", L"32  Stone Golem", L"33  Iron Golem",
    L"34  Mage", L"35  Arch Mage", L"36  Genie", L"37  Master Genie", L"38  Naga", L"39  Naga Queen", L"40  Giant",
    L"41  Titan", L"42  Imp", L"43  Familiar", L"44  Gog", L"45  Magog", L"46  Hell Hound", L"47  Cerberus",
    L"48  Demon", L"49  Horned Demon", L"50  Pit Fiend", L"51  Pit Lord", L"52  Efreeti", L"53  Efreet Sultan",
    L"54  Devil", L"55  Arch Devil", L"56  Skeleton", L"57  Skeleton Warrior", L"58  Walking Dead", L"59  Zombie",
    L"60  Wight", L"61  Wraith", L"62  Vampire", L"63  Vampire Lord", L"64  Lich", L"65  Power Lich",
    L"66  Black Knight", L"67  Dread Knight", L"68  Bone Dragon", L"69  Ghost Dragon", L"70  Troglodyte",
    L"71  Infernal Troglodyte", L"72  Harpy", L"73  Harpy Hag", L"74  Beholder", L"75  Evil Eye", L"76  Medusa",
    L"77  Medusa Queen", L"78  Minotaur", L"79  Minotaur King", L"80  Manticore", L"81  Scorpicore",
    L"82  Red Dragon", L"83  Black Dragon", L"84  Goblin", L"85  Hobgoblin", L"86  Wolf Rider", L"87  Wolf Raider",
    L"88  Orc", L"89  Orc Chieftain", L"90  Ogre", L"91  Ogre Mage", L"92  Roc", L"93  Thunderbird", L"94  Cyclops",
    L"95  Cyclops King", L"96  Behemoth", L"97  Ancient Behemoth", L"98  Gnoll", L"99  Gnoll Marauder",
    L"100  Lizardman", L"101  Lizard Warrior", L"102  Gorgon", L"103  Mighty Gorgon", L"104  Serpent Fly",
    L"105  Dragon Fly", L"106  Basilisk", L"107  Greater Basilisk", L"108  Wyvern", L"109  Wyvern Monarch",
    L"110  Hydra", L"111  Chaos Hydra", L"112  Air Elemental", L"113  Earth Elemental", L"114  Fire Elemental",
    L"115  Water Elemental", L"116  Gold Golem", L"117  Diamond Golem", L"118  Pixie", L"119  Sprite",
    L"120  Psychic Elemental", L"121  Magic Elemental", L"122  NOT USED (1)", L"123  Ice Elemental",
    L"124  NOT USED (2)", L"125  Magma Elemental", L"126  NOT USED (3)", L"127  Storm Elemental",
    L"128  NOT USED (4)", L"129  Energy Elemental", L"130  Firebird", L"131  Phoenix", L"132  Azure Dragon",
    L"133  Crystal Dragon", L"134  Faerie Dragon", L"135  Rust Dragon", L"136  Enchanter", L"137  Sharpshooter",
    L"138  Halfling", L"139  Peasant", L"140  Boar", L"141  Mummy", L"142  Nomad", L"143  Rogue", L"144  Troll",
    L"145  Catapult (specialty X1)", L"146  Ballista (specialty X1)", L"147  First Aid Tent (specialty X1)",
    L"148  Ammo Cart (specialty X1)", L"149  Arrow Towers (specialty X1)", L"150  Supreme Archangel",
    L"151  Diamond Dragon", L"152  Lord of Thunder", L"153  Antichrist", L"154  Blood Dragon",
    L"155  Darkness Dragon", L"156  Ghost Behemoth", L"157  Hell Hydra", L"158  Sacred Phoenix", L"159  Ghost",
    L"160  Emissary of War", L"161  Emissary of Peace", L"162  Emissary of Mana", L"163  Emissary of Lore",
    L"164  Fire Messenger", L"165  Earth Messenger", L"166  Air Messenger", L"167  Water Messenger", L"168  Gorynych",
    L"169  War zealot", L"170  Arctic Sharpshooter", L"171  Lava Sharpshooter", L"172  Nightmare",
    L"173  Santa Gremlin", L"174  Paladin (1)", L"175  Hierophant (1)", L"176  Temple Guardian (1)",
    L"177  Succubus (1)", L"178  Soul Eater (1)", L"179  Brute (1)", L"180  Ogre Leader (1)", L"181  Shaman (1)",
    L"182  Astral Spirit (1)", L"183  Paladin (2)", L"184  Hierophant (2)", L"185  Temple Guardian (2)",
    L"186  Succubus (2)", L"187  Soul Eater (2)", L"188  Brute (2)", L"189  Ogre Leader (2)", L"190  Shaman (2)",
    L"191  Astral Spirit (2)",
};

const wchar_t* const kListT[] = {
    L"0  Castle", L"1  Rampart", L"2  Tower", L"3  Inferno", L"4  Necropolis", L"5  Dungeon", L"6  Stronghold",
    L"7  Fortress", L"8  Conflux",
};

const wchar_t* const kListSS[] = {
    L"0  Standard", L"1 Snowy( WOG)",
};

const TValueListData kValueLists[] = {
    {L"ListTypes", 0, kListTypes},   {L"ListTypesA", 1, kListTypesA}, {L"ListSubtypes", 0, kListSubtypes},
    {L"ListA1", 0, kListA1},         {L"HintA1", 0, kHintA1},         {L"ListBG", 0, kListBG},
    {L"ListCB", 0, kListCB},         {L"ListCG", 1, kListCG},         {L"ListCG1", 0, kListCG1},
    {L"ListH", 0, kListH},           {L"ListM1", 0, kListM1},         {L"ListM2", 0, kListM2},
    {L"ListR", 0, kListR},           {L"ListC", 0, kListC},           {L"ListT", 0, kListT},
    {L"ListSS", 0, kListSS},
};

}  // namespace

std::span<const TValueListData> BuiltInValueLists() { return kValueLists; }
