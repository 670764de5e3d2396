// Shared helpers of the tests: pictures made in code and the bitmap comparisons, which name the
// first difference.
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
    return ::testing::AssertionFailure()
           << ae << " is " << a.Width() << "x" << a.Height() << " but " << be << " is " << b.Width()
           << "x" << b.Height();
  }
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const Color ca = a.PixelColor(x, y) & 0xFFFFFF, cb = b.PixelColor(x, y) & 0xFFFFFF;
      if (ca != cb) {
        std::ostringstream s;
        s << "first difference at (" << x << ", " << y << "): " << ae << " has 0x" << std::hex << ca
          << ", " << be << " has 0x" << cb;
        return ::testing::AssertionFailure() << s.str();
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Equal size, format and every byte.
inline ::testing::AssertionResult SameBytes(const char* ae, const char* be, const Bitmap& a,
                                            const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.Format() != b.Format() ||
      a.ByteSize() != b.ByteSize()) {
    return ::testing::AssertionFailure() << ae << " and " << be << " differ in size or format";
  }
  for (std::size_t i = 0; i < a.ByteSize(); ++i) {
    if (a.Bits()[i] != b.Bits()[i]) {
      std::ostringstream s;
      s << "byte " << i << " (row " << i / a.RowBytes() << ", offset " << i % a.RowBytes()
        << "): " << ae << " has " << int(a.Bits()[i]) << ", " << be << " has " << int(b.Bits()[i]);
      return ::testing::AssertionFailure() << s.str();
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace skelda::testing

// Compares size and the colour of every pixel (formats may differ).
#define EXPECT_BITMAP_EQ(a, b) EXPECT_PRED_FORMAT2(::skelda::testing::BitmapsEqual, a, b)
#define ASSERT_BITMAP_EQ(a, b) ASSERT_PRED_FORMAT2(::skelda::testing::BitmapsEqual, a, b)
// Compares size, format and every byte (fourth bytes and row filler included).
#define EXPECT_SAME_BYTES(a, b) EXPECT_PRED_FORMAT2(::skelda::testing::SameBytes, a, b)
