# The keypad, the status-bar hints and the tool images: the parts the main window is built from.
add_library(skelda_ui_parts STATIC
  ${CMAKE_CURRENT_LIST_DIR}/keypad_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keypad_entry.h
  ${CMAKE_CURRENT_LIST_DIR}/status_hints.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_hints.h
  ${CMAKE_CURRENT_LIST_DIR}/tool_images.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tool_images.h
  ${CMAKE_CURRENT_LIST_DIR}/keypad_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keypad_window.h
)
target_include_directories(skelda_ui_parts PUBLIC ${PROJECT_SOURCE_DIR}/src)
find_package(Qt6 REQUIRED COMPONENTS Svg)
target_link_libraries(skelda_ui_parts PUBLIC Qt6::Widgets Qt6::Svg skelda_core)
# The drawings of the tool images travel inside the program as Qt resources.
qt_add_resources(SKELDA_TOOL_IMAGE_SOURCES ${PROJECT_SOURCE_DIR}/assets/tool_images/tool_images.qrc)
target_sources(skelda_ui_parts PRIVATE ${SKELDA_TOOL_IMAGE_SOURCES})
