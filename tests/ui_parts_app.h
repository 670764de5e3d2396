// The one QApplication the keypad, hint and tool-image tests need (offscreen platform).
#pragma once

#include <QApplication>
#include <cstdlib>

namespace skelda::testing {

inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "skelda_ui_parts_test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace skelda::testing
