// An 8-bit gray PNG picture, through libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skelda {

// `gray` holds width × height values, top row first. Throws Error when libpng fails.
std::vector<std::uint8_t> EncodeGrayPng(int width, int height, const std::uint8_t* gray);

// The same with rows made one at a time, top row first: `row(context, r, out)` writes the
// `width` values of row r.
using GrayRowSource = void (*)(const void* context, int row, std::uint8_t* out);
std::vector<std::uint8_t> EncodeGrayPng(int width, int height, GrayRowSource row,
                                        const void* context);

// Encodes and writes through the atomic file writer.
void WriteGrayPng(const std::string& path, int width, int height, const std::uint8_t* gray);

}  // namespace skelda
