// Mirroring a picture left-right or top-bottom in place.
#pragma once

#include "core/bitmap.h"

namespace skelda {

// Converts the bitmap to 24 bits, then horizontal: pixel x of every row moves to W-1-x;
// otherwise row y moves to H-1-y. An odd middle column (row) stays where it is.
void MirrorBitmap(Bitmap& bitmap, bool horizontal);

}  // namespace skelda
