# skelda-cli end to end: the test program runs the built skelda-cli.
skelda_add_test(cli_test SOURCES cli_test.cpp
                LIBS skelda_intake skelda_processing skelda_geometry skelda_gcode
                     skelda_simulation)
add_dependencies(cli_test skelda-cli)
target_compile_definitions(cli_test PRIVATE SKELDA_CLI="$<TARGET_FILE:skelda-cli>")
