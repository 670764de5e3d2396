// Area-averaging resample: a whole bitmap copied onto a whole bitmap of another size, each
// target pixel the area-weighted mean of the source pixels that fall on it (a box filter with
// fractional coverage at the edges), for enlarging and reducing alike.
#pragma once

#include "core/bitmap.h"

namespace skelda {

// The target keeps its size and pixel format; a source or target in another format than 32
// bits goes through a 32-bit copy (a palette target maps each mean to its nearest entry). An
// equal size gives an exact copy, and a uniform picture stays exactly uniform.
void AreaResample(const Bitmap& source, Bitmap& target);

}  // namespace skelda
