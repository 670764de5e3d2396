// Writing a bitmap as a Windows BMP file in its own pixel format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/bitmap.h"

namespace skelda {

// The file image: 14-byte file header, 40-byte information header (height positive, no
// resolution, biSizeImage filled in), then for Bit1/Bit4/Bit8 the palette (biClrUsed entries;
// an empty palette is written as 2^bpp black entries), then the rows bottom-up padded to 4
// bytes, in the bitmap's own format: Bit15 as 16-bit BI_RGB; Bit16 as BI_BITFIELDS with the
// 5-6-5 masks in the 12 bytes after the header; Custom 16/32-bit layouts with their own
// compression and masks. An empty bitmap throws InvalidGraphicError; Device and other custom
// layouts throw "Bitmap format is not supported".
std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap);
// Writes through the atomic file writer: the target is replaced only by a complete file.
void WriteBmpFile(const Bitmap& bitmap, const std::string& path);

}  // namespace skelda
