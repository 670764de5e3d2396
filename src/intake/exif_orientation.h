// The EXIF orientation a picture file records: how its stored rows must be turned to be seen
// as the camera held it. Read from the bytes with every offset checked against the block.
#pragma once

#include <cstddef>
#include <cstdint>

#include "intake/picture_kind.h"

namespace skelda {

// 1 = as stored, 2 mirrored left-right, 3 turned half, 4 mirrored top-bottom, 5 transposed,
// 6 to be turned a quarter clockwise, 7 transversed, 8 to be turned a quarter counter-clockwise.
inline constexpr int kOrientationAsStored = 1;

// Tag 0x0112 of the first directory of a TIFF structure ("II*\0" or "MM\0*" at data): its
// value 1..8; 1 when it is missing, out of range or the structure is damaged.
int TiffOrientation(const std::uint8_t* data, std::size_t size);

// The orientation of a whole file of that kind: JPEG's APP1 "Exif" segment (before the first
// scan), PNG's eXIf chunk, WebP's EXIF chunk, TIFF's own first directory; 1 for other kinds
// and files without one.
int FileOrientation(PictureKind kind, const std::uint8_t* data, std::size_t size);

}  // namespace skelda
