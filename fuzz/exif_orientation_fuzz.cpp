// The EXIF orientation read from any bytes: the first byte chooses the container (JPEG, PNG,
// WebP, TIFF), the rest is the file. Every answer is one of the eight orientations.
#include <cstddef>
#include <cstdint>

#include "intake/exif_orientation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  constexpr skelda::PictureKind kKinds[] = {skelda::PictureKind::Jpeg, skelda::PictureKind::Png,
                                            skelda::PictureKind::WebP, skelda::PictureKind::Tiff};
  const int orientation = skelda::FileOrientation(kKinds[data[0] % 4], data + 1, size - 1);
  if (orientation < 1 || orientation > 8) __builtin_trap();
  return 0;
}
