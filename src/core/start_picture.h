// The start picture LOGO2 carried inside the program: 590 x 465, 8 bits with a 256-colour
// palette, grey lettering on white.
#pragma once

#include "core/bitmap.h"

namespace skelda {

Bitmap LoadStartPicture();

}  // namespace skelda
