#include "geometry/invert.h"

#include <cstddef>
#include <cstdint>

#include "geometry/pixel_format_24.h"

namespace skelda {

void InvertBitmap(Bitmap& bitmap) {
  ConvertTo32(bitmap);
  const std::size_t bytes = 4 * static_cast<std::size_t>(bitmap.Width());
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* p = bitmap.ScanLine(y);
    for (std::size_t i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(~p[i]);
  }
}

}  // namespace skelda
