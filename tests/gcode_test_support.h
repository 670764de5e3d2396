// Pictures drawn as text for the G-code tests, and the program of such a picture as lines.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/bitmap.h"
#include "core/quick_pixels.h"
#include "gcode/gcode_writer.h"

namespace skelda::testing {

// Rows from the top; '#' is black, anything else white.
inline Bitmap DrawPicture(const std::vector<std::string>& rows,
                          PixelFormat format = PixelFormat::Bit32) {
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(rows.front().size());
  Bitmap b(width, height, format);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.SetPixelColor(x, y, rows[y][x] == '#' ? kBlack : kWhite);
  return b;
}

// Splits a program at CRLF; a bare CR or LF, or a last line without its CRLF, fails the test.
inline std::vector<std::string> ProgramLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "the program does not end with CRLF";
      break;
    }
    const std::string line = text.substr(start, end - start);
    if (line.find_first_of("\r\n") != std::string::npos) ADD_FAILURE() << "bare line break";
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

struct Program {
  std::vector<std::string> lines;
  std::uint64_t count = 0;
};

inline Program WriteProgram(Bitmap picture, const GcodeSettings& settings) {
  TQuickPixels pixels;
  pixels.Attach(picture);
  StringSink sink;
  Program p;
  p.count = WriteGcodeProgram(pixels, settings, sink);
  p.lines = ProgramLines(sink.text);
  return p;
}

inline GcodeSettings LineMode(double dot, int feed = 300) {
  GcodeSettings s;
  s.dot = dot;
  s.lineMode = true;
  s.feed = feed;
  return s;
}

inline GcodeSettings DotMode(double dot, std::string burnTime = "1") {
  GcodeSettings s;
  s.dot = dot;
  s.lineMode = false;
  s.burnTime = std::move(burnTime);
  return s;
}

// One line per row, so a failing comparison reads like a diff.
inline std::string Joined(const std::vector<std::string>& lines) {
  std::ostringstream s;
  for (const auto& l : lines) s << l << "\n";
  return s.str();
}

}  // namespace skelda::testing

#define EXPECT_PROGRAM(actual, ...)            \
  EXPECT_EQ(::skelda::testing::Joined(actual), \
            ::skelda::testing::Joined(std::vector<std::string>{__VA_ARGS__}))
