// TIFF decoding through libtiff: the first page, into a 32-bit bitmap (blue, green, red, 0).
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/bitmap.h"

namespace skelda {

// Every photometric kind libtiff's RGBA reader knows (grey, palette, RGB, CMYK, YCbCr, 16 bits
// a channel), alpha composited over white. The rows come as stored: the Orientation tag is left
// to the loading step, as the EXIF orientation of the other kinds. Throws PictureTooLargeError
// before allocating a picture too large to hold, and PictureFormatError ("TIFF image is not
// valid: ...") for a damaged or cut file.
Bitmap DecodeTiff(const std::uint8_t* data, std::size_t size);

}  // namespace skelda
