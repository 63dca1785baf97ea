kestrin_fuzz(lod_archive SOURCES LodArchiveFuzz.cpp LIBS kestrin_gamedata)
