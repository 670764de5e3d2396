# The keypad, hint and tool-image tests.
skelda_add_test(tool_images_test SOURCES tool_images_test.cpp LIBS skelda_ui_parts)
