// The 24-bit working form of the geometry routines and the way back to 32 bits, as row loops
// that move four pixels at a time and keep every colour.
#pragma once

#include "core/bitmap.h"

namespace skelda {

// Converts the bitmap to 24 bits per pixel (blue, green, red). A 32-bit picture drops its
// fourth byte; any other format keeps its colours (palette entries are expanded).
void ConvertTo24(Bitmap& bitmap);

// Converts the bitmap to 32 bits per pixel with a fourth byte of 0; a 32-bit bitmap is left as
// it is.
void ConvertTo32(Bitmap& bitmap);

}  // namespace skelda
