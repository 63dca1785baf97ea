kestrin_fuzz(catalogue SOURCES CatalogueFuzz.cpp LIBS kestrin_object_core)
