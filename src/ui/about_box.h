// The text of "О программе": the program, its version and the libraries it links with their
// licences.
#pragma once

#include <QString>

namespace skelda {

QString AboutText();

}  // namespace skelda
