// Picture files from anywhere, decoded as a picture file of their kind is. The build names the
// reader: SKELDA_DECODER is its function, SKELDA_DECODER_HEADER its header.
#include <cstddef>
#include <cstdint>

#include "core/errors.h"
#include SKELDA_DECODER_HEADER

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const skelda::Bitmap picture = skelda::SKELDA_DECODER(data, size);
    if (picture.Empty()) __builtin_trap();  // a picture that loads has pixels
  } catch (const skelda::Error&) {
  }
  return 0;
}
