// The per-pixel threshold passes over 32-bit pixels: a pixel whose gray value (threshold
// weights 76, 150, 30) is at least its threshold becomes white, any other black; the fourth
// byte is kept.
//
// Each pass comes in two forms: in place on a bitmap (brought to 32 bits first when it is in
// another format), and from a 32-bit source into a target of the same shape (the source may be
// the target itself), which is a copy and the pass in one sweep.
#pragma once

#include "core/bitmap.h"
#include "core/random.h"
#include "processing/threshold_matrices.h"

namespace skelda {

// One threshold t for every pixel: t <= 0 whitens all, t >= 256 blackens all.
void ThresholdPass(Bitmap& bitmap, int threshold);
void ThresholdPass(const Bitmap& source, Bitmap& target, int threshold);

// The threshold of each pixel from the matrix, anchored at the bottom-left corner.
void MatrixThresholdPass(Bitmap& bitmap, const ThresholdMatrix& matrix);
void MatrixThresholdPass(const Bitmap& source, Bitmap& target, const ThresholdMatrix& matrix);

// A threshold drawn from the generator for each pixel, in pass order: the bottom row first,
// each row from left to right.
void RandomThresholdPass(Bitmap& bitmap, RandomGenerator& random);
void RandomThresholdPass(const Bitmap& source, Bitmap& target, RandomGenerator& random);

// The 8 x 8 ordered screen: a pixel at column x of row y (0 = top) is black when its gray value
// is below 4 x BayerIndex8(y mod 8, x mod 8) + 2.
void OrderedScreenPass(Bitmap& bitmap);
void OrderedScreenPass(const Bitmap& source, Bitmap& target);

// The 8 x 8 Bayer index matrix, 0 .. 63, grown from 0 2 / 3 1: M[0][0] 0, M[0][1] 32, M[1][0] 48.
int BayerIndex8(int row, int column);

}  // namespace skelda
