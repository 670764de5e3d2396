#pragma once

#include <cstdint>

#include "core/bitmap.h"

namespace skelda {

// Paints the picture in blocks of bw x bh pixels from the top-left corner (the blocks on the
// right and bottom edges may be narrower), each block in the mean of each channel over its own
// pixels, truncated. 1 x 1 blocks, a block side of 0 and an empty picture change nothing but
// the format.
//
// The bitmap is converted to 24 bits first. A 32-bit bitmap instead stays in 32 bits and gets
// the colours and the fourth byte of 0 that the conversion to 24 bits and back would give.
void MosaicBitmap(Bitmap& bitmap, std::uint16_t bw, std::uint16_t bh);

}  // namespace skelda
