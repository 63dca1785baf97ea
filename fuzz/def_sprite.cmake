kestrin_fuzz(def_sprite SOURCES DefSpriteFuzz.cpp LIBS kestrin_gamedata)
