// JPEG decoding through libjpeg: the whole picture at full size, accurate integer DCT and fancy
// upsampling, into a 32-bit bitmap (blue, green, red, 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/bitmap.h"

namespace skelda {

// Grey pictures give equal red, green and blue; CMYK and YCCK pictures are converted to RGB.
// Throws JpegError ("JPEG error #N", N the decoder's message code) for anything the decoder
// refuses, for a 12-bit file and for damage the decoder would only warn about (a file cut short
// or corrupt entropy data, which it would fill with grey); PictureTooLargeError before
// allocating a picture too large to hold.
Bitmap DecodeJpeg(const std::uint8_t* data, std::size_t size);

// Reads the whole file, then decodes it; a file that cannot be opened throws OpenFileError.
Bitmap ReadJpegFile(const std::string& path);

}  // namespace skelda
