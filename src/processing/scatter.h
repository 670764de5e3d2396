#pragma once

#include "core/bitmap.h"
#include "core/color.h"
#include "core/random.h"

namespace skelda {

// Seeds the generator from the clock, then swaps every pixel with a random partner within
// reach: for each pixel (x, y), rows from the top and each row from the left, the partner is
// (RandomOffset(x, rx), RandomOffset(y, ry)); when it lies inside the picture, (x, y) takes the
// partner's colour and the partner takes the colour of (x, y), both read from an unchanged copy
// of the picture. A pixel that no visit writes shows the fill colour. Reaches below 1 count as
// 1.
//
// The bitmap is converted to 24 bits first. A 32-bit bitmap instead stays in 32 bits and gets
// the colours and the fourth byte of 0 that the conversion to 24 bits and back would give. The
// copy is made before the first pixel changes: if it cannot be had, the bitmap is unchanged.
void ScatterBitmap(Bitmap& bitmap, int rx, int ry, Color fill, RandomGenerator& random);

// The same from the generator's present state, without seeding it (a known sequence replayed).
void ScatterWithoutSeeding(Bitmap& bitmap, int rx, int ry, Color fill, RandomGenerator& random);

}  // namespace skelda
