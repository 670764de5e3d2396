// PNG files made row by row through libpng: the picture save and the burn preview alike.
#pragma once

#include <cstdint>
#include <vector>

namespace skelda {

enum class PngRows {
  Gray,  // one byte a pixel
  Bgrx,  // four bytes a pixel: blue, green, red and an unused byte left out of the file
};

struct PngLayout {
  int width = 0;
  int height = 0;
  PngRows rows = PngRows::Gray;
  // The fastest compression, no filters: for pictures of long runs of few values.
  bool fastest = false;
};

// Row r, top row first: either the caller's own bytes or `scratch` (room for one row) filled.
using PngRowSource = const std::uint8_t* (*)(const void* context, int row, std::uint8_t* scratch);

// Throws Error when libpng fails, std::bad_alloc when memory runs out.
std::vector<std::uint8_t> EncodePng(const PngLayout& layout, PngRowSource source,
                                    const void* context);

}  // namespace skelda
