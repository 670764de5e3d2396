// The controller's states in the window's words.
#pragma once

#include <QString>

#include "machine/grbl_codes.h"

namespace skelda {

// "Ожидание", "Работа", "Пауза", ...; a dash for a state the controller did not name.
QString StateText(grbl::State state);

}  // namespace skelda
