// PNG decoding through libpng into a 32-bit bitmap (blue, green, red, 0).
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/bitmap.h"

namespace skelda {

// Every colour type and depth: palettes and grey expanded, 16 bits a channel reduced to 8 as
// round(v × 255 / 65535), alpha (an alpha channel or a tRNS chunk) composited over white,
// interlaced files too. Throws PictureTooLargeError before allocating a picture too large to
// hold, and PictureFormatError ("PNG image is not valid: ...") for a damaged or cut file.
Bitmap DecodePng(const std::uint8_t* data, std::size_t size);

}  // namespace skelda
