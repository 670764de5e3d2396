#include "processing/brightness.h"

#include <algorithm>

#include "processing/bitmap_steps.h"
#include "processing/clamp_byte.h"
#include "processing/parallel_rows.h"

namespace skelda {

namespace {

void BrightenBytes(std::uint8_t* bytes, int count, int amount) {
  for (int i = 0; i < count; ++i) bytes[i] = ClampByte(bytes[i] + amount);
}

}  // namespace

void AdjustBrightness(Bitmap& bitmap, int amount) {
  // Any amount beyond a whole byte's range saturates every byte alike.
  amount = std::clamp(amount, -256, 256);
  const int width = bitmap.Width();
  if (bitmap.Format() == PixelFormat::Bit24) {
    if (amount == 0) return;
    ForEachRowBand(bitmap.Height(), bitmap.RowBytes(), [&](int first, int last) {
      for (int y = first; y < last; ++y) BrightenBytes(bitmap.ScanLine(y), 3 * width, amount);
    });
  } else if (bitmap.Format() == PixelFormat::Bit32) {
    ForEachRowBand(bitmap.Height(), bitmap.RowBytes(), [&](int first, int last) {
      for (int y = first; y < last; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        BrightenBytes(row, 4 * width, amount);
        for (int x = 0; x < width; ++x) row[4 * x + 3] = 0;
      }
    });
  }
}

}  // namespace skelda
