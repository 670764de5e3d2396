#include "processing/pass_bitmaps.h"

#include <utility>

#include "core/errors.h"
#include "processing/parallel_rows.h"
#include "processing/pixel_words.h"

namespace skelda {

bool SameShape(const Bitmap& a, const Bitmap& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() && a.Format() == b.Format() &&
         a.Layout() == b.Layout() && a.RowBytes() == b.RowBytes() &&
         a.PaletteEntries().size() == b.PaletteEntries().size();
}

void CopyBitmap(const Bitmap& source, Bitmap& target) {
  if (&source == &target) return;
  if (SameShape(source, target)) {
    // Same size and layout: every member is assigned in place, nothing is allocated, so the
    // pixel buffer of a slider move is reused.
    target = source;
    return;
  }
  Bitmap copy(source);
  target = std::move(copy);
}

void RequireSourceAndTarget32(const Bitmap& source, const Bitmap& target) {
  if (source.Format() != PixelFormat::Bit32 || !SameShape(source, target)) {
    throw AssertionError("Bitmap format is not supported", __FILE__, __LINE__);
  }
}

void EnsureBit32(Bitmap& bitmap) {
  if (bitmap.Format() != PixelFormat::Bit32) bitmap.SetPixelFormat(PixelFormat::Bit32);
}

void ClearFourthBytes(Bitmap& bitmap) {
  const int width = bitmap.Width();
  ForEachRowBand(bitmap.Height(), bitmap.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      std::uint8_t* row = bitmap.ScanLine(y);
      for (int x = 0; x < width; ++x) StoreWord(row + 4 * x, LoadWord(row + 4 * x) & kColourBits);
    }
  });
}

}  // namespace skelda
