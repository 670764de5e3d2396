// Shared helpers of the tests: pictures made in code and a bitmap comparison that names the
// first differing pixel.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "core/bitmap.h"

namespace skelda::testing {

inline std::string TestDataPath(const std::string& relative) {
  return std::string(SKELDA_TESTDATA_DIR) + "/" + relative;
}

// A width x height picture in the given format whose pixel (x, y) is colorAt(x, y).
inline Bitmap MakePicture(int width, int height, PixelFormat format,
                          const std::function<Color(int, int)>& colorAt) {
  Bitmap b(width, height, format);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.SetPixelColor(x, y, colorAt(x, y));
  return b;
}

inline Bitmap MakeUniform(int width, int height, Color color,
                          PixelFormat format = PixelFormat::Bit32) {
  return MakePicture(width, height, format, [&](int, int) { return color; });
}

inline ::testing::AssertionResult BitmapsEqual(const char* ae, const char* be, const Bitmap& a,
                                               const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) {
    return ::testing::AssertionFailure() << ae << " is " << a.Width() << "x" << a.Height()
                                         << " but " << be << " is " << b.Width() << "x"
                                         << b.Height();
  }
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const Color ca = a.PixelColor(x, y) & 0xFFFFFF, cb = b.PixelColor(x, y) & 0xFFFFFF;
      if (ca != cb) {
        std::ostringstream s;
        s << "first difference at (" << x << ", " << y << "): " << ae << " has 0x" << std::hex
          << ca << ", " << be << " has 0x" << cb;
        return ::testing::AssertionFailure() << s.str();
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace skelda::testing

// Compares size and the colour of every pixel (formats may differ).
#define EXPECT_BITMAP_EQ(a, b) EXPECT_PRED_FORMAT2(::skelda::testing::BitmapsEqual, a, b)
#define ASSERT_BITMAP_EQ(a, b) ASSERT_PRED_FORMAT2(::skelda::testing::BitmapsEqual, a, b)
