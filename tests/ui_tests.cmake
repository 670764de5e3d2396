# The main window, driven through its controls on the offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Test)
skelda_add_test(form1_test
  SOURCES form1_test.cpp form1_commands_test.cpp form1_view_test.cpp form1_keypad_test.cpp
          bitmap_image_test.cpp
  LIBS skelda_ui Qt6::Test)
