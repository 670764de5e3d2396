// The bitmaps a pass reads and writes: a whole copy that never leaves a half-assigned bitmap,
// the change to 32 bits, the fourth byte a round trip through 24 bits clears, the shape checks.
#pragma once

#include "core/bitmap.h"

namespace skelda {

// Same size, format, layout and palette size: a copy of one into the other allocates nothing.
bool SameShape(const Bitmap& a, const Bitmap& b);

// target := source (size, format, palette, pixels). When it fails for want of memory, target
// is left as it was.
void CopyBitmap(const Bitmap& source, Bitmap& target);

// Brings a bitmap of any other format to 32 bits per pixel, keeping every colour.
void EnsureBit32(Bitmap& bitmap);

// Sets the fourth byte of every pixel of a 32-bit bitmap to 0, as converting it to 24 bits and
// back would.
void ClearFourthBytes(Bitmap& bitmap);

// For the passes that read one 32-bit bitmap and write another of the same shape (or the same
// one): throws when source is not 32-bit or target differs in shape.
void RequireSourceAndTarget32(const Bitmap& source, const Bitmap& target);

}  // namespace skelda
