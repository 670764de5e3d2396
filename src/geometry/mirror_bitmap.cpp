#include "geometry/mirror_bitmap.h"

#include <algorithm>
#include <cstdint>

#include "geometry/pixel_format_24.h"
#include "geometry/pixel_groups.h"

namespace skelda {

namespace {

using namespace pixel_groups;

// Swaps pixel k with pixel W-1-k, four pairs at a time while the two groups do not meet.
void ReverseRow(std::uint8_t* row, int width) {
  std::uint8_t* left = row;
  std::uint8_t* right = row + 3 * width;  // one past the last pixel
  while (right - left >= 24) {
    right -= 12;
    Pixel l[4], r[4];
    Load4(left, l);
    Load4(right, r);
    Store4(left, r[3], r[2], r[1], r[0]);
    Store4(right, l[3], l[2], l[1], l[0]);
    left += 12;
  }
  for (right -= 3; left < right; left += 3, right -= 3) Swap3(left, right);
}

void MirrorRows(Bitmap& bitmap) {
  const int height = bitmap.Height();
  const std::size_t bytes = 3 * static_cast<std::size_t>(bitmap.Width());
  for (int y = 0; y < height / 2; ++y) {
    std::uint8_t* top = bitmap.ScanLine(y);
    std::swap_ranges(top, top + bytes, bitmap.ScanLine(height - 1 - y));
  }
}

}  // namespace

void MirrorBitmap(Bitmap& bitmap, bool horizontal) {
  ConvertTo24(bitmap);
  if (!horizontal) {
    MirrorRows(bitmap);
    return;
  }
  for (int y = 0; y < bitmap.Height(); ++y) ReverseRow(bitmap.ScanLine(y), bitmap.Width());
}

}  // namespace skelda
