// Windows BMP files: reading the usual depths and writing a bitmap in its own pixel format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/bitmap.h"

namespace skelda {

// Reads a BMP held in memory into a bitmap of the file's size.
//  - 1, 4, 8 bits (also RLE4/RLE8) give Bit1, Bit4, Bit8 with a palette of exactly 2^bpp
//    entries: entries the file does not give are black, so indices beyond the file's palette
//    read as black; entries beyond 2^bpp are ignored. RLE pixels no command sets keep index 0;
//    runs and deltas that leave the picture are clipped.
//  - 16 bits: no masks or the 5-5-5 masks give Bit15, the 5-6-5 masks Bit16; any other masks
//    are converted to Bit32, each channel scaled as round(v * 255 / max). The same conversion
//    serves 32 bits with masks other than 8-8-8 in the usual places.
//  - 24 bits give Bit24; 32 bits give Bit32 with the fourth byte cleared. Alpha masks are
//    ignored.
//  - Headers of 12 (OS/2 1.x), 40, 52, 56, 64 (OS/2 2.x, uncompressed or RLE), 108 and 124
//    bytes; rows bottom-up or top-down (not for RLE). bfOffBits is honoured; bfSize and
//    biSizeImage are never used.
// Anything malformed, truncated or unsupported (2 and 64 bits, Huffman, RLE24, JPEG, PNG,
// alpha bit fields) throws InvalidGraphicError ("Bitmap image is not valid"); a picture too
// large to hold throws PictureTooLargeError before any large allocation. No read goes outside
// [data, data + size).
Bitmap ReadBmp(const std::uint8_t* data, std::size_t size);
Bitmap ReadBmp(const std::vector<std::uint8_t>& bytes);
// Reads the whole file first; a file that cannot be opened or read throws OpenFileError.
Bitmap ReadBmpFile(const std::string& path);

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
