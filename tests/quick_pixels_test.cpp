#include "core/quick_pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/start_picture.h"
#include "support/bitmap_assert.h"
#include "support/error_text.h"

namespace skelda {
namespace {

using testing::ErrorText;

Bitmap CustomBitmap(int width, int height, PixelLayout layout) {
  Bitmap b(width, height, PixelFormat::Bit32);
  b.SetCustomLayout(layout);
  return b;
}

struct FormatCase {
  const char* name;
  Bitmap bitmap;
  int bitsPerPixel;
};

// Every supported format, custom layouts included, at the given size.
std::vector<FormatCase> SupportedFormats(int width, int height) {
  return {
      {"1", Bitmap(width, height, PixelFormat::Bit1), 1},
      {"4", Bitmap(width, height, PixelFormat::Bit4), 4},
      {"8", Bitmap(width, height, PixelFormat::Bit8), 8},
      {"15", Bitmap(width, height, PixelFormat::Bit15), 15},
      {"16", Bitmap(width, height, PixelFormat::Bit16), 16},
      {"24", Bitmap(width, height, PixelFormat::Bit24), 24},
      {"32", Bitmap(width, height, PixelFormat::Bit32), 32},
      {"custom 16", CustomBitmap(width, height, {16, kCompressionRgb, 0, 0, 0}), 15},
      {"custom 5-6-5",
       CustomBitmap(width, height, {16, kCompressionBitFields, 0xF800, 0x7E0, 0x1F}), 16},
      {"custom 5-5-5",
       CustomBitmap(width, height, {16, kCompressionBitFields, 0x7C00, 0x3E0, 0x1F}), 15},
      {"custom 32", CustomBitmap(width, height, {32, kCompressionRgb, 0, 0, 0}), 32},
      {"custom 32 bit fields",
       CustomBitmap(width, height, {32, kCompressionBitFields, 0xFF0000, 0xFF00, 0xFF}), 32},
  };
}

// A colour that every format holds exactly: black or white by a pattern.
Color BlackOrWhite(int x, int y) {
  return (x * 7 + y * 3) % 5 < 2 ? kWhite : kBlack;
}

TEST(QuickPixels, NewAccessorIsEmpty) {
  TQuickPixels px;
  EXPECT_EQ(px.Width, 0);
  EXPECT_EQ(px.Height, 0);
  EXPECT_EQ(px.BitsPerPixel, 0);
  EXPECT_EQ(px.Bits, nullptr);
  EXPECT_EQ(px.RowStep, 0);
  EXPECT_EQ(px.GetPixel.code, nullptr);
  EXPECT_EQ(px.SetPixel.code, nullptr);
}

TEST(QuickPixels, EveryFormatRoundTripsAndAgreesWithTheBitmap) {
  for (int height : {1, 2, 5}) {
    for (FormatCase& c : SupportedFormats(19, height)) {
      SCOPED_TRACE(std::string(c.name) + " bits, height " + std::to_string(height));
      TQuickPixels px;
      px.Attach(c.bitmap);
      ASSERT_EQ(px.BitsPerPixel, c.bitsPerPixel);
      EXPECT_EQ(px.Width, 19);
      EXPECT_EQ(px.Height, height);
      EXPECT_EQ(px.Bits, c.bitmap.ScanLine(0));
      EXPECT_EQ(px.RowStep, static_cast<std::int32_t>(c.bitmap.RowBytes()));
      const auto set = px.SetPixel;
      const auto get = px.GetPixel;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < 19; ++x) set(x, y, BlackOrWhite(x, y));
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < 19; ++x) {
          ASSERT_EQ(get(x, y), BlackOrWhite(x, y)) << x << "," << y;
          ASSERT_EQ(c.bitmap.PixelColor(x, y) & 0xFFFFFF, BlackOrWhite(x, y)) << x << "," << y;
        }
      }
    }
  }
}

TEST(QuickPixels, DirectColourFormatsStoreExactBytes) {
  struct Row {
    PixelFormat format;
    Color written;
    std::vector<std::uint8_t> bytes;  // of pixel (1, 1)
    Color read;
  };
  // Colours are 0x00BBGGRR and the direct formats store blue first.
  const Color c = 0x00FF8040;  // red 0x40, green 0x80, blue 0xFF
  for (const Row& r : {
           Row{PixelFormat::Bit32, 0xAB123456, {0x12, 0x34, 0x56, 0x00}, 0x123456},
           Row{PixelFormat::Bit24, 0xAB123456, {0x12, 0x34, 0x56}, 0x123456},
           // 0x40 >> 3 = 8, 0x80 >> 3 = 16, 0xFF >> 3 = 31: word 0x221F; 8 reads as 66.
           Row{PixelFormat::Bit15, c, {0x1F, 0x22}, 0x00FF8442},
           Row{PixelFormat::Bit15, kWhite, {0xFF, 0x7F}, kWhite},
           Row{PixelFormat::Bit15, 0x070707, {0x00, 0x00}, kBlack},
           Row{PixelFormat::Bit15, 0x080808, {0x21, 0x04}, 0x080808},
           // 0x80 >> 2 = 32 in six bits: word 0x441F; 32 reads as 32 * 4 + 32 / 16 = 130.
           Row{PixelFormat::Bit16, c, {0x1F, 0x44}, 0x00FF8242},
           Row{PixelFormat::Bit16, kWhite, {0xFF, 0xFF}, kWhite},
           Row{PixelFormat::Bit16, 0x000400, {0x20, 0x00}, 0x000400},  // green 1 -> 4
           Row{PixelFormat::Bit16, 0x030303, {0x00, 0x00}, kBlack},
       }) {
    Bitmap b(3, 3, r.format);
    std::memset(b.Bits(), 0xFF, b.ByteSize());
    TQuickPixels px;
    px.Attach(b);
    px.SetPixel(1, 1, r.written);
    const std::uint8_t* p = b.ScanLine(1) + r.bytes.size();
    EXPECT_EQ(std::vector<std::uint8_t>(p, p + r.bytes.size()), r.bytes)
        << px.BitsPerPixel << " bits, colour " << std::hex << r.written;
    EXPECT_EQ(px.GetPixel(1, 1), r.read)
        << px.BitsPerPixel << " bits, colour " << std::hex << r.written;
    EXPECT_EQ(b.ScanLine(1)[0], 0xFF) << "neighbour kept";
  }
}

TEST(QuickPixels, OneBitPixelsRunFromTheMostSignificantBit) {
  Bitmap b(10, 2, PixelFormat::Bit1);  // palette: 0 black, 1 white
  TQuickPixels px;
  px.Attach(b);
  px.SetPixel(0, 1, kWhite);
  EXPECT_EQ(b.ScanLine(1)[0], 0x80);
  px.SetPixel(7, 1, kWhite);
  EXPECT_EQ(b.ScanLine(1)[0], 0x81);
  px.SetPixel(8, 1, 0xC0C0C0);  // nearer to white
  EXPECT_EQ(b.ScanLine(1)[1], 0x80);
  px.SetPixel(0, 1, 0x202020);  // nearer to black
  EXPECT_EQ(b.ScanLine(1)[0], 0x01);
  EXPECT_EQ(b.ScanLine(0)[0], 0x00);
  EXPECT_EQ(px.GetPixel(7, 1), kWhite);
  EXPECT_EQ(px.GetPixel(6, 1), kBlack);
}

TEST(QuickPixels, FourBitPixelsKeepTheOtherNibble) {
  Bitmap b(3, 1, PixelFormat::Bit4);  // grey ramp: entry i is i * 17
  TQuickPixels px;
  px.Attach(b);
  px.SetPixel(0, 0, 0x444444);  // entry 4 into the high nibble
  px.SetPixel(1, 0, 0xAAAAAA);  // entry 10 into the low nibble
  px.SetPixel(2, 0, kWhite);
  EXPECT_EQ(b.ScanLine(0)[0], 0x4A);
  EXPECT_EQ(b.ScanLine(0)[1], 0xF0);
  EXPECT_EQ(px.GetPixel(0, 0), 0x444444u);
  EXPECT_EQ(px.GetPixel(1, 0), 0xAAAAAAu);
}

TEST(QuickPixels, EightBitWriteTakesTheNearestEntry) {
  Bitmap b(4, 2, PixelFormat::Bit8);
  b.SetPalette({{0, 0, 0, 0}, {255, 255, 255, 0}, {255, 0, 0, 0}});
  TQuickPixels px;
  px.Attach(b);
  px.SetPixel(3, 1, RGB(200, 30, 30));
  EXPECT_EQ(b.ScanLine(1)[3], 2);
  EXPECT_EQ(px.GetPixel(3, 1), RGB(255, 0, 0));
  // The palette object holds only the bitmap's three entries: the black padding of the block
  // never wins, so no index outside the bitmap's palette is written.
  px.SetPixel(0, 0, RGB(250, 250, 250));
  EXPECT_EQ(b.ScanLine(0)[0], 1);
  b.ScanLine(0)[1] = 200;  // an index the palette lacks reads as black
  EXPECT_EQ(px.GetPixel(1, 0), kBlack);
}

TEST(QuickPixels, PaletteBlockCopiesTheBitmapPalette) {
  struct Row {
    PixelFormat format;
    int count;
  };
  for (const Row& r :
       {Row{PixelFormat::Bit1, 2}, Row{PixelFormat::Bit4, 16}, Row{PixelFormat::Bit8, 256}}) {
    Bitmap b(2, 2, r.format);
    b.SetPalette({{10, 20, 30, 0}, {40, 50, 60, 0}});
    TQuickPixels px;
    px.Attach(b);
    EXPECT_EQ(px.PaletteBlock.version, 0x300);
    EXPECT_EQ(px.PaletteBlock.count, r.count);
    EXPECT_EQ(px.PaletteBlock.entries[1], (PaletteEntry{40, 50, 60, 0}));
    EXPECT_EQ(px.PaletteBlock.entries[r.count - 1],
              r.count == 2 ? (PaletteEntry{40, 50, 60, 0}) : PaletteEntry{});
    EXPECT_EQ(px.LastColor, 0x07FFFFFFu);
  }
}

// A start-picture-like bitmap: 8 bits, 256 grey entries, white ground with black and grey
// lettering.
TEST(QuickPixels, GreyPalettePictureReadsWhiteAndBlackExactly) {
  std::vector<PaletteEntry> grey(256);
  for (int i = 0; i < 256; ++i) grey[i] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
  Bitmap b(590, 465, PixelFormat::Bit8);
  b.SetPalette(grey);
  std::memset(b.Bits(), 255, b.ByteSize());
  b.ScanLine(100)[200] = 0;
  b.ScanLine(101)[200] = 128;
  TQuickPixels px;
  px.Attach(b);
  EXPECT_EQ(px.GetPixel(0, 0), kWhite);
  EXPECT_EQ(px.GetPixel(589, 464), kWhite);
  EXPECT_EQ(px.GetPixel(200, 100), kBlack);
  EXPECT_EQ(px.GetPixel(200, 101), 0x808080u);
}

TEST(QuickPixels, StartPictureReadsThroughItsPalette) {
  Bitmap logo = LoadStartPicture();
  TQuickPixels px;
  px.Attach(logo);
  ASSERT_EQ(px.BitsPerPixel, 8);
  EXPECT_EQ(px.PaletteBlock.count, 256);
  EXPECT_EQ(px.GetPixel(0, 0), kWhite);
  EXPECT_EQ(px.GetPixel(589, 464), kWhite);
  int white = 0, black = 0;
  for (int y = 0; y < px.Height; ++y) {
    for (int x = 0; x < px.Width; ++x) {
      const Color c = px.GetPixel(x, y);
      const PaletteEntry& e = logo.PaletteEntries()[logo.ScanLine(y)[x]];
      ASSERT_EQ(c, RGB(e.red, e.green, e.blue)) << x << "," << y;
      white += c == kWhite;
      black += c == kBlack;
    }
  }
  EXPECT_GT(white, 590 * 465 / 2);
  EXPECT_LT(black + white, 590 * 465);  // the lettering is grey
}

TEST(QuickPixels, RunOfOneColourAsksThePaletteOnce) {
  Bitmap b(4, 1, PixelFormat::Bit8);
  TQuickPixels px;
  px.Attach(b);
  // A planted cache answer is used as is: the palette is not asked again for the same colour.
  px.LastColor = 0x123456;
  px.LastIndex = 7;
  px.SetPixel(0, 0, 0x123456);
  px.SetPixel(1, 0, 0x123456);
  EXPECT_EQ(b.ScanLine(0)[0], 7);
  EXPECT_EQ(b.ScanLine(0)[1], 7);
  // A new colour is looked up and cached, the whole value (top byte included) being the key.
  px.SetPixel(2, 0, 0x01FFFFFF);
  EXPECT_EQ(px.LastColor, 0x01FFFFFFu);
  EXPECT_EQ(px.LastIndex, 255);
  EXPECT_EQ(b.ScanLine(0)[2], 255);
  // Re-attaching forgets the cache.
  px.Attach(b);
  EXPECT_EQ(px.LastColor, 0x07FFFFFFu);
  px.SetPixel(3, 0, 0x123456);
  EXPECT_EQ(b.ScanLine(0)[3], 0x34);  // the grey ramp's entry nearest to that colour
}

// The accessor holds one palette object while a palette format is attached and none otherwise
// (the sanitizer build sees a leaked or twice-freed one).
TEST(QuickPixels, PaletteObjectIsReleasedOnce) {
  Bitmap eight(3, 3, PixelFormat::Bit8);
  Bitmap thirtyTwo(3, 3, PixelFormat::Bit32);
  {
    TQuickPixels px;
    px.Attach(eight);
    ASSERT_NE(px.Palette_, nullptr);
    EXPECT_EQ(px.Palette_->size(), eight.PaletteEntries().size());
    px.Attach(thirtyTwo);
    EXPECT_EQ(px.Palette_, nullptr);
  }
  {
    TQuickPixels px;
    px.Attach(eight);
    px.Attach(eight);
    ASSERT_NE(px.Palette_, nullptr);
    EXPECT_EQ(px.Palette_->entries(), eight.PaletteEntries());
  }
}

// "Bitmap format is not supported (quick_pixels.cpp, line N)" with any line number N.
bool IsUnsupportedFormatText(const std::string& message) {
  const std::string head = "Bitmap format is not supported (quick_pixels.cpp, line ";
  if (message.size() < head.size() + 2 || message.compare(0, head.size(), head) != 0 ||
      message.back() != ')') {
    return false;
  }
  return std::all_of(message.begin() + head.size(), message.end() - 1,
                     [](char c) { return c >= '0' && c <= '9'; });
}

TEST(QuickPixels, UnsupportedFormatsFailWithTheAssertionText) {
  std::vector<Bitmap> bitmaps;
  bitmaps.emplace_back(4, 4, PixelFormat::Device);
  bitmaps.push_back(CustomBitmap(4, 4, {16, kCompressionBitFields, 0xF000, 0x0F0, 0x00F}));
  bitmaps.push_back(CustomBitmap(4, 4, {16, kCompressionBitFields, 0x1F, 0x7E0, 0xF800}));
  bitmaps.push_back(CustomBitmap(4, 4, {32, kCompressionBitFields, 0xFF, 0xFF00, 0xFF0000}));
  bitmaps.push_back(CustomBitmap(4, 4, {32, kCompressionBitFields, 0x3FF00000, 0xFFC00, 0x3FF}));
  bitmaps.push_back(CustomBitmap(4, 4, {32, 1, 0, 0, 0}));
  bitmaps.push_back(CustomBitmap(4, 4, {24, kCompressionRgb, 0, 0, 0}));
  Bitmap good(2, 2, PixelFormat::Bit8);
  for (Bitmap& b : bitmaps) {
    TQuickPixels px;
    px.Attach(good);
    std::string message;
    try {
      px.Attach(b);
    } catch (const AssertionError& e) {
      message = e.what();
    }
    EXPECT_TRUE(IsUnsupportedFormatText(message)) << "'" << message << "'";
    EXPECT_EQ(px.BitsPerPixel, 0);
    EXPECT_EQ(px.GetPixel.code, nullptr);
    EXPECT_EQ(px.SetPixel.code, nullptr);
  }
}

TEST(QuickPixels, BitmapWithoutPixelsFailsClearly) {
  for (auto [width, height] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{0, 0}}) {
    Bitmap b(width, height, PixelFormat::Bit32);
    TQuickPixels px;
    EXPECT_EQ(ErrorText([&] { px.Attach(b); }), "Bitmap has no pixels");
    EXPECT_EQ(px.BitsPerPixel, 0);
    EXPECT_EQ(px.Bits, nullptr);
  }
}

TEST(QuickPixels, ReattachFollowsAResizedBitmap) {
  Bitmap b(4, 4, PixelFormat::Bit32);
  TQuickPixels px;
  px.Attach(b);
  b.SetWidth(7);
  b.SetHeight(1);
  px.Attach(b);
  EXPECT_EQ(px.Width, 7);
  EXPECT_EQ(px.Height, 1);
  EXPECT_EQ(px.Bits, b.ScanLine(0));
  EXPECT_EQ(px.RowStep, 28);
  px.SetPixel(6, 0, 0x010203);
  EXPECT_EQ(b.PixelColor(6, 0), 0x010203u);
}

TEST(QuickPixels, CopiedRoutinesReadOneBitmapAndWriteAnother) {
  const Bitmap source = testing::MakePicture(6, 3, PixelFormat::Bit24,
                                             [](int x, int y) { return RGB(x * 40, y * 80, 7); });
  Bitmap from = source;
  Bitmap to(6, 3, PixelFormat::Bit32);
  TQuickPixels reader, writer;
  reader.Attach(from);
  writer.Attach(to);
  const auto get = reader.GetPixel;
  const auto set = writer.SetPixel;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) set(x, y, get(x, y));
  EXPECT_BITMAP_EQ(to, source);
}

}  // namespace
}  // namespace skelda
