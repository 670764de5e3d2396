skelda_add_test(bitmap_test SOURCES bitmap_test.cpp LIBS skelda_core)
