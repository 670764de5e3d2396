// A loaded picture turned as its EXIF orientation asks, so that it comes in as viewers show it.
#pragma once

#include "core/bitmap.h"

namespace skelda {

// `picture` is 32 bits a pixel. Orientations 2..8 replace it by the picture seen upright
// (5..8 swap width and height); 1 and anything outside 1..8 leave it as stored.
void TurnUpright(Bitmap& picture, int orientation);

}  // namespace skelda
