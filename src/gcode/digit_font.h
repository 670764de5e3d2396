// A small font for the labels a program burns: the digits, three pixels wide and five high.
#pragma once

#include <string_view>
#include <vector>

namespace skelda {

inline constexpr int kGlyphWidth = 3;
inline constexpr int kGlyphHeight = 5;

// A text's pixels, one column of space between glyphs; row 0 is the top row.
struct GlyphImage {
  int width = 0;
  int height = 0;
  std::vector<bool> on;  // row-major
  bool At(int x, int y) const { return on[static_cast<std::size_t>(y * width + x)]; }
};

// Digits only; throws on any other character.
GlyphImage RenderDigits(std::string_view text);

// A quarter turn counter-clockwise: the text then reads from the bottom up.
GlyphImage TurnedLeft(const GlyphImage& image);

}  // namespace skelda
