// The per-pixel threshold passes over a 32-bit bitmap: a pixel whose gray value (threshold
// weights 76, 150, 30) is at least its threshold becomes white, any other black; the fourth
// byte is kept. A bitmap in another format is first brought to 32 bits.
#pragma once

#include "core/bitmap.h"
#include "core/random.h"
#include "processing/threshold_matrices.h"

namespace skelda {

// One threshold t for every pixel: t <= 0 whitens all, t >= 256 blackens all.
void ThresholdPass(Bitmap& bitmap, int threshold);

// The threshold of each pixel from the matrix, anchored at the bottom-left corner.
void MatrixThresholdPass(Bitmap& bitmap, const ThresholdMatrix& matrix);

// A threshold drawn from the generator for each pixel, in pass order: the bottom row first,
// each row from left to right.
void RandomThresholdPass(Bitmap& bitmap, RandomGenerator& random);

}  // namespace skelda
