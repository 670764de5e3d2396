# The geometry tests are listed here.
skelda_add_test(mirror_bitmap_test SOURCES mirror_bitmap_test.cpp LIBS skelda_geometry)
skelda_add_test(rotate_bitmap_test SOURCES rotate_bitmap_test.cpp LIBS skelda_geometry)
skelda_add_test(pixel_format_24_test SOURCES pixel_format_24_test.cpp LIBS skelda_geometry)
skelda_add_test(geometry_commands_test SOURCES geometry_commands_test.cpp LIBS skelda_geometry)
