# The keypad, hint and tool-image tests (offscreen Qt).
find_package(Qt6 REQUIRED COMPONENTS Test)
skelda_add_test(tool_images_test SOURCES tool_images_test.cpp LIBS skelda_ui_parts)
skelda_add_test(keypad_test SOURCES keypad_test.cpp LIBS skelda_ui_parts Qt6::Test)
skelda_add_test(status_hints_test SOURCES status_hints_test.cpp LIBS skelda_ui_parts Qt6::Test)
