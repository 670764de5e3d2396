// Sharpening by a 3 x 3 kernel: -a on the four diagonal cells, 4 a + 128 in the centre, 0 beside
// it, divided by 128 (truncating toward zero) and clamped to 0 .. 255. A neighbour outside the
// picture counts as the centre pixel. Positive a sharpens, negative a blurs, 0 changes nothing.
#pragma once

#include "core/bitmap.h"

namespace skelda {

// Works in place on a 24-bit bitmap (its filler bytes untouched). A 32-bit bitmap gets the same
// colours and a fourth byte of 0, as a round trip through 24 bits would give it. Other formats
// are left alone. All storage is taken before the first pixel is changed.
void SharpenBitmap(Bitmap& bitmap, int amount);

// The 32-bit result of the above for a 32-bit source, written into a target of the same shape
// (not the source itself); source is not changed.
void SharpenBitmap(const Bitmap& source, Bitmap& target, int amount);

}  // namespace skelda
