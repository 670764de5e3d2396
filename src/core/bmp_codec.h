// Windows BMP files: reading the usual depths and writing a bitmap in its own pixel format.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/bitmap.h"

namespace skelda {

// Reads a BMP held in memory into a bitmap of the file's size: 1, 4, 8 bits with palettes,
// RLE4 and RLE8, 16 bits as 5-5-5 or with bit fields, 24, 32, bottom-up and top-down, the 12-,
// 40-, 108- and 124-byte headers. 5-5-5 gives Bit15, 5-6-5 Bit16, 1/4/8 bits their palette
// formats, 24 Bit24, plain 32 Bit32; other bit-field layouts are converted to Bit32. Anything
// malformed throws InvalidGraphicError ("Bitmap image is not valid"); a picture too large to
// hold throws PictureTooLargeError before any large allocation.
Bitmap ReadBmp(const std::uint8_t* data, std::size_t size);
Bitmap ReadBmp(const std::vector<std::uint8_t>& bytes);
// Reads the whole file first; a file that cannot be opened throws OpenFileError.
Bitmap ReadBmpFile(const std::string& path);

// The file image: file header, 40-byte information header, the palette only for palette
// formats, rows bottom-up padded to 4 bytes, in the bitmap's own format (Bit15 as 16-bit RGB,
// Bit16 and Custom with bit fields).
std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap);
// Writes through the atomic file writer: the target is replaced only by a complete file.
void WriteBmpFile(const Bitmap& bitmap, const std::string& path);

}  // namespace skelda
