// The 24-bit working form of the geometry routines and the way back to 32 bits, as plain row
// loops that keep every colour. Both can hand over or take a spare pixel block, so a command
// that goes to 24 bits and back moves its picture through memory that is already in use.
#pragma once

#include "core/bitmap.h"

namespace skelda {

// Converts the bitmap to 24 bits per pixel (blue, green, red). A 32-bit picture drops its
// fourth byte; any other format keeps its colours (palette entries are expanded). When spare is
// given, a 32-bit picture's former pixels are moved into it for ConvertTo32 to write over.
void ConvertTo24(Bitmap& bitmap, Bitmap* spare = nullptr);

// Converts the bitmap to 32 bits per pixel with a fourth byte of 0; a 32-bit bitmap is left as
// it is. When spare holds a 32-bit bitmap of the same size, its pixel block is written over
// and the bitmap's former block goes back into spare.
void ConvertTo32(Bitmap& bitmap, Bitmap* spare = nullptr);

}  // namespace skelda
