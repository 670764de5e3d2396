// Reading Windows BMP files of the usual depths into a bitmap.
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

}  // namespace skelda
