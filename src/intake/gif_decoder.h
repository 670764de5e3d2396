// GIF decoding through giflib: the first frame, into a 32-bit bitmap (blue, green, red, 0).
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/bitmap.h"

namespace skelda {

// The picture has the logical screen's size; the first frame is placed at its position (clipped
// to the screen), and the transparent colour and everything the frame leaves uncovered are
// white. Throws PictureTooLargeError before allocating a screen too large to hold, and
// PictureFormatError ("GIF image is not valid: ...") for a damaged or cut file.
Bitmap DecodeGif(const std::uint8_t* data, std::size_t size);

}  // namespace skelda
