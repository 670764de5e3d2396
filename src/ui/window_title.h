// The main window's title, with the program's version and the maker's contact address kept in
// one place.
#pragma once

#include <QString>

namespace skelda {

inline constexpr char kProgramName[] = "Tavrilo Skelda BMP to G-code";
inline constexpr char kProgramVersion[] = "1.2";
inline constexpr char kContactAddress[] = "skelda@example.org";

inline QString MainWindowTitle() {
  return QString::fromUtf8(kProgramName) + QStringLiteral(" v") +
         QString::fromUtf8(kProgramVersion) + QStringLiteral(" (") +
         QString::fromUtf8(kContactAddress) + QStringLiteral(") ");
}

}  // namespace skelda
