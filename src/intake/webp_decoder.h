// WebP decoding through libwebp into a 32-bit bitmap (blue, green, red, 0).
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/bitmap.h"

namespace skelda {

// Lossy and lossless, alpha composited over white. An animation is refused. Throws
// PictureTooLargeError before allocating a picture too large to hold, and PictureFormatError
// ("WebP image is not valid: ...") for a damaged or cut file.
Bitmap DecodeWebP(const std::uint8_t* data, std::size_t size);

}  // namespace skelda
