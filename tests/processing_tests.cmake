# The processing tests are listed here.
skelda_add_test(threshold_test SOURCES threshold_test.cpp LIBS skelda_processing)
skelda_add_test(dithering_test SOURCES dithering_test.cpp LIBS skelda_processing)
skelda_add_test(dot_patterns_test SOURCES dot_patterns_test.cpp LIBS skelda_processing)
skelda_add_test(tone_filters_test SOURCES tone_filters_test.cpp LIBS skelda_processing)
skelda_add_test(textures_test SOURCES textures_test.cpp LIBS skelda_processing)
skelda_add_test(processing_commands_test SOURCES processing_commands_test.cpp
                LIBS skelda_processing)
skelda_add_test(processing_failure_test SOURCES processing_failure_test.cpp
                LIBS skelda_processing)
