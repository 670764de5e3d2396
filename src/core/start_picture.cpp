#include "core/start_picture.h"

#include <cstddef>

#include "core/bmp_reader.h"

namespace skelda {

// Made from assets/logo2.bmp at build time (embed_asset.cmake).
extern const unsigned char kLogo2Bmp[];
extern const std::size_t kLogo2BmpSize;

Bitmap LoadStartPicture() {
  return ReadBmp(kLogo2Bmp, kLogo2BmpSize);
}

}  // namespace skelda
