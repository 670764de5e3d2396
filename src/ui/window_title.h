// The main window's title, with the maker's contact address kept in one place.
#pragma once

#include <QString>

namespace skelda {

inline constexpr char kContactAddress[] = "skelda@example.org";

inline QString MainWindowTitle() {
  return QStringLiteral("Tavrilo Skelda BMP to G-code v1.2 (") +
         QString::fromUtf8(kContactAddress) + QStringLiteral(") ");
}

}  // namespace skelda
