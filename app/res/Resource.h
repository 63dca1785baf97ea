#pragma once
// Resource identifiers shared by the resource scripts and the program.
#define IDI_KESTRIN 1

// Terrain picture strips, in the block's bit order (Dirt first, Water last).
#define IDB_TERRAIN_DIRT 101
#define IDB_TERRAIN_SAND 102
#define IDB_TERRAIN_GRASS 103
#define IDB_TERRAIN_SNOW 104
#define IDB_TERRAIN_SWAMP 105
#define IDB_TERRAIN_ROUGH 106
#define IDB_TERRAIN_SUBTERRANEAN 107
#define IDB_TERRAIN_LAVA 108
#define IDB_TERRAIN_WATER 109
#define IDB_CHECK_ALL 110
#define IDB_CHECK_NONE 111

// The same pictures drawn for 125, 150, 175 and 200 %: RCDATA resources, each a
// zlib-compressed BMP, numbered as the 100 % picture plus 100 x the scale.
#define IDR_SCALED_PICTURE(id, percent) ((id) + 100 * (percent))
