#include "geometry/direct_32.h"

#include <cstdint>

#include "geometry/pixel_groups.h"

namespace skelda {

namespace {


constexpr std::uint32_t kColour = 0xFFFFFF;  // the fourth byte cleared

void CopyRow(std::uint8_t* to, const std::uint8_t* from, int width) {
  for (int x = 0; x < width; ++x) StoreWord(to + 4 * x, LoadWord(from + 4 * x) & kColour);
}

// The row read from its right end.
void CopyRowReversed(std::uint8_t* to, const std::uint8_t* from, int width) {
  const std::uint8_t* last = from + 4 * (width - 1);
  for (int x = 0; x < width; ++x) StoreWord(to + 4 * x, LoadWord(last - 4 * x) & kColour);
}

}  // namespace

void MirrorInto(const Bitmap& source, Bitmap& target, bool horizontal) {
  const int width = source.Width(), height = source.Height();
  for (int y = 0; y < height; ++y) {
    if (horizontal) {
      CopyRowReversed(target.ScanLine(y), source.ScanLine(y), width);
    } else {
      CopyRow(target.ScanLine(y), source.ScanLine(height - 1 - y), width);
    }
  }
}

void HalfTurnInto(const Bitmap& source, Bitmap& target) {
  const int width = source.Width(), height = source.Height();
  for (int y = 0; y < height; ++y) {
    CopyRowReversed(target.ScanLine(y), source.ScanLine(height - 1 - y), width);
  }
}

}  // namespace skelda
