// The tone inversion of a picture.
#pragma once

#include "core/bitmap.h"

namespace skelda {

// Replaces every byte of every pixel, the fourth byte included, by its complement (255 - v).
// The pass works on 4-byte pixels: a picture in any other format is converted to 32 bits
// first, so that colours, not palette indices or packed fields, are inverted.
void InvertBitmap(Bitmap& bitmap);

}  // namespace skelda
