// A picture written as an 8-bit RGB PNG through libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/bitmap.h"

namespace skelda {

// Any pixel format, each pixel in its own colour. An empty bitmap throws InvalidGraphicError;
// a libpng failure throws Error.
std::vector<std::uint8_t> EncodePicturePng(const Bitmap& bitmap);
// Writes through the atomic file writer: the target is replaced only by a complete file.
void WritePicturePng(const Bitmap& bitmap, const std::string& path);

}  // namespace skelda
