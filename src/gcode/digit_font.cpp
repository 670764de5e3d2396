#include "gcode/digit_font.h"

#include "core/errors.h"

namespace skelda {

namespace {

// Rows from the top, '#' a burnt pixel.
constexpr const char* kDigits[10][kGlyphHeight] = {
    {"###", "#.#", "#.#", "#.#", "###"},  // 0
    {".#.", "##.", ".#.", ".#.", "###"},  // 1
    {"###", "..#", "###", "#..", "###"},  // 2
    {"###", "..#", ".##", "..#", "###"},  // 3
    {"#.#", "#.#", "###", "..#", "..#"},  // 4
    {"###", "#..", "###", "..#", "###"},  // 5
    {"###", "#..", "###", "#.#", "###"},  // 6
    {"###", "..#", ".#.", ".#.", ".#."},  // 7
    {"###", "#.#", "###", "#.#", "###"},  // 8
    {"###", "#.#", "###", "..#", "###"},  // 9
};

}  // namespace

GlyphImage RenderDigits(std::string_view text) {
  GlyphImage image;
  const int count = static_cast<int>(text.size());
  image.width = count == 0 ? 0 : count * (kGlyphWidth + 1) - 1;
  image.height = kGlyphHeight;
  image.on.assign(static_cast<std::size_t>(image.width * image.height), false);
  for (int i = 0; i < count; ++i) {
    if (text[i] < '0' || text[i] > '9') throw Error("The label font has digits only");
    const auto& glyph = kDigits[text[i] - '0'];
    for (int y = 0; y < kGlyphHeight; ++y)
      for (int x = 0; x < kGlyphWidth; ++x)
        image.on[static_cast<std::size_t>(y * image.width + i * (kGlyphWidth + 1) + x)] =
            glyph[y][x] == '#';
  }
  return image;
}

GlyphImage TurnedLeft(const GlyphImage& image) {
  GlyphImage turned;
  turned.width = image.height;
  turned.height = image.width;
  turned.on.resize(image.on.size());
  // The source's right column becomes the top row.
  for (int y = 0; y < turned.height; ++y)
    for (int x = 0; x < turned.width; ++x)
      turned.on[static_cast<std::size_t>(y * turned.width + x)] = image.At(image.width - 1 - y, x);
  return turned;
}

}  // namespace skelda
