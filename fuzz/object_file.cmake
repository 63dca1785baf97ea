kestrin_fuzz(object_file SOURCES ObjectFileFuzz.cpp LIBS kestrin_object_core)
