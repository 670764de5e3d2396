#include "geometry/invert.h"

#include <cstddef>
#include <cstdint>

namespace skelda {

void InvertBitmap(Bitmap& bitmap) {
  bitmap.SetPixelFormat(PixelFormat::Bit32);
  const std::size_t bytes = 4 * static_cast<std::size_t>(bitmap.Width());
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* p = bitmap.ScanLine(y);
    for (std::size_t i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(~p[i]);
  }
}

}  // namespace skelda
