// GIF files from anywhere, decoded as a picture file of that kind is.
#include <cstddef>
#include <cstdint>

#include "core/errors.h"
#include "intake/gif_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const skelda::Bitmap picture = skelda::DecodeGif(data, size);
    if (picture.Empty()) __builtin_trap();  // a picture that loads has pixels
  } catch (const skelda::Error&) {
  }
  return 0;
}
