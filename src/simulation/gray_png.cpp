#include "simulation/gray_png.h"

#include <algorithm>

#include "core/atomic_file.h"
#include "intake/png_encoder.h"

namespace skelda {

std::vector<std::uint8_t> EncodeGrayPng(int width, int height, const std::uint8_t* gray) {
  struct Rows {
    const std::uint8_t* gray;
    std::size_t width;
  } rows{gray, static_cast<std::size_t>(width)};
  const GrayRowSource copy = [](const void* context, int r, std::uint8_t* out) {
    const Rows& all = *static_cast<const Rows*>(context);
    std::copy_n(all.gray + static_cast<std::size_t>(r) * all.width, all.width, out);
  };
  return EncodeGrayPng(width, height, copy, &rows);
}

std::vector<std::uint8_t> EncodeGrayPng(int width, int height, GrayRowSource source,
                                        const void* context) {
  struct Rows {
    GrayRowSource source;
    const void* context;
  } rows{source, context};
  const PngRowSource made = [](const void* all, int r, std::uint8_t* scratch) {
    const Rows& given = *static_cast<const Rows*>(all);
    given.source(given.context, r, scratch);
    return static_cast<const std::uint8_t*>(scratch);
  };
  // Burn pictures are mostly long runs of two values: the fastest setting packs them well.
  return EncodePng({width, height, PngRows::Gray, true}, made, &rows);
}

void WriteGrayPng(const std::string& path, int width, int height, const std::uint8_t* gray) {
  const std::vector<std::uint8_t> bytes = EncodeGrayPng(width, height, gray);
  WriteFileAtomically(path, bytes.data(), bytes.size());
}

}  // namespace skelda
