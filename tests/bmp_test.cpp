#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/bmp_reader.h"
#include "core/bmp_writer.h"
#include "core/errors.h"
#include "support/bitmap_assert.h"

#ifdef SKELDA_HAVE_QTGUI
#include <QImage>
#endif

namespace skelda {
namespace {

using testing::MakePicture;
using testing::TestDataPath;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// Reads from a buffer of exactly the given bytes, so that the sanitizers see any over-read.
Bitmap ReadExact(const Bytes& bytes) {
  Bytes copy(bytes);
  return ReadBmp(copy.data(), copy.size());
}

std::uint32_t U32At(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
void SetU32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void SetU16(Bytes& b, std::size_t at, unsigned v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// ---------------------------------------------------------------------------------------------
// The BMP suite against its reference pictures

struct Reference {
  std::vector<Color> pixels;  // 0x00BBGGRR, or 0xFF000000 where the reference is transparent
  int width = 0;
  int height = 0;
};

std::optional<Reference> LoadReference(const std::string& name) {
#ifdef SKELDA_HAVE_QTGUI
  QImage image(QString::fromStdString(TestDataPath("bmpsuite/ref/" + name)));
  if (image.isNull()) return std::nullopt;
  image = image.convertToFormat(QImage::Format_ARGB32);
  Reference ref;
  ref.width = image.width();
  ref.height = image.height();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      ref.pixels.push_back(qAlpha(p) == 0 ? 0xFF000000u : RGB(qRed(p), qGreen(p), qBlue(p)));
    }
  }
  return ref;
#else
  (void)name;
  return std::nullopt;
#endif
}

::testing::AssertionResult MatchesReference(const Bitmap& b, const std::string& refName,
                                            int tolerance) {
  const std::optional<Reference> ref = LoadReference(refName);
  if (!ref) return ::testing::AssertionFailure() << "cannot load reference " << refName;
  if (ref->width != b.Width() || ref->height != b.Height()) {
    return ::testing::AssertionFailure() << "size " << b.Width() << "x" << b.Height()
                                         << ", reference " << ref->width << "x" << ref->height;
  }
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const Color want = ref->pixels[y * ref->width + x];
      if (want == 0xFF000000u) continue;  // transparent in the reference: any colour
      const Color got = b.PixelColor(x, y) & 0xFFFFFF;
      for (int shift = 0; shift < 24; shift += 8) {
        const int d = int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance) {
          char text[128];
          std::snprintf(text, sizeof text, "pixel (%d, %d) is %06X, reference %06X", x, y,
                        unsigned(got), unsigned(want));
          return ::testing::AssertionFailure() << text;
        }
      }
    }
  }
  return ::testing::AssertionSuccess();
}

struct SuiteCase {
  const char* file;       // under bmpsuite/
  const char* reference;  // under bmpsuite/ref/
  PixelFormat format;
  int tolerance;
};

void PrintTo(const SuiteCase& c, std::ostream* os) {
  *os << c.file;
}

class GoodFiles : public ::testing::TestWithParam<SuiteCase> {};

TEST_P(GoodFiles, ReadToTheReferencePixels) {
#ifndef SKELDA_HAVE_QTGUI
  GTEST_SKIP() << "reference pictures need QtGui";
#endif
  const SuiteCase& c = GetParam();
  const Bitmap b = ReadBmpFile(TestDataPath(std::string("bmpsuite/") + c.file));
  EXPECT_EQ(b.Format(), c.format);
  EXPECT_TRUE(MatchesReference(b, c.reference, c.tolerance));
}

constexpr PixelFormat k1 = PixelFormat::Bit1, k4 = PixelFormat::Bit4, k8 = PixelFormat::Bit8,
                      k15 = PixelFormat::Bit15, k16 = PixelFormat::Bit16, k24 = PixelFormat::Bit24,
                      k32 = PixelFormat::Bit32;

// Every file of g/; 16-bit references are rounded, our expansion replicates bits: +-1.
INSTANTIATE_TEST_SUITE_P(
    BmpSuiteG, GoodFiles,
    ::testing::Values(
        SuiteCase{"g/pal1.bmp", "pal1.png", k1, 0}, SuiteCase{"g/pal1wb.bmp", "pal1.png", k1, 0},
        SuiteCase{"g/pal1bg.bmp", "pal1bg.png", k1, 0}, SuiteCase{"g/pal4.bmp", "pal4.png", k4, 0},
        SuiteCase{"g/pal4gs.bmp", "pal4gs.png", k4, 0},
        SuiteCase{"g/pal4rle.bmp", "pal4.png", k4, 0}, SuiteCase{"g/pal8.bmp", "pal8.png", k8, 0},
        SuiteCase{"g/pal8-0.bmp", "pal8.png", k8, 0},
        SuiteCase{"g/pal8gs.bmp", "pal8gs.png", k8, 0},
        SuiteCase{"g/pal8rle.bmp", "pal8.png", k8, 0},
        SuiteCase{"g/pal8w126.bmp", "pal8w126.png", k8, 0},
        SuiteCase{"g/pal8w125.bmp", "pal8w125.png", k8, 0},
        SuiteCase{"g/pal8w124.bmp", "pal8w124.png", k8, 0},
        SuiteCase{"g/pal8topdown.bmp", "pal8.png", k8, 0},
        SuiteCase{"g/pal8nonsquare.bmp", "pal8nonsquare-e.png", k8, 0},
        SuiteCase{"g/pal8os2.bmp", "pal8.png", k8, 0}, SuiteCase{"g/pal8v4.bmp", "pal8.png", k8, 0},
        SuiteCase{"g/pal8v5.bmp", "pal8.png", k8, 0}, SuiteCase{"g/rgb16.bmp", "rgb16.png", k15, 1},
        SuiteCase{"g/rgb16bfdef.bmp", "rgb16.png", k15, 1},
        SuiteCase{"g/rgb16-565.bmp", "rgb16-565.png", k16, 1},
        SuiteCase{"g/rgb16-565pal.bmp", "rgb16-565.png", k16, 1},
        SuiteCase{"g/rgb24.bmp", "rgb24.png", k24, 0},
        SuiteCase{"g/rgb24pal.bmp", "rgb24.png", k24, 0},
        SuiteCase{"g/rgb32.bmp", "rgb24.png", k32, 0},
        SuiteCase{"g/rgb32bfdef.bmp", "rgb24.png", k32, 0},
        SuiteCase{"g/rgb32bf.bmp", "rgb24.png", k32, 0}));

// The questionable files this reader accepts, with what they must look like.
INSTANTIATE_TEST_SUITE_P(
    BmpSuiteQAccepted, GoodFiles,
    ::testing::Values(SuiteCase{"q/pal1p1.bmp", "pal1p1.png", k1, 0},
                      SuiteCase{"q/pal4rletrns.bmp", "pal4rletrns-0.png", k4, 0},
                      SuiteCase{"q/pal8rletrns.bmp", "pal8rletrns-0.png", k8, 0},
                      SuiteCase{"q/pal8offs.bmp", "pal8.png", k8, 0},
                      SuiteCase{"q/pal8oversizepal.bmp", "pal8.png", k8, 0},
                      SuiteCase{"q/pal8os2-sz.bmp", "pal8.png", k8, 0},
                      SuiteCase{"q/pal8os2-hs.bmp", "pal8.png", k8, 0},
                      SuiteCase{"q/pal8os2sp.bmp", "pal8.png", k8, 0},
                      SuiteCase{"q/pal8os2v2.bmp", "pal8.png", k8, 0},
                      SuiteCase{"q/pal8os2v2-sz.bmp", "pal8.png", k8, 0},
                      SuiteCase{"q/pal8os2v2-40sz.bmp", "pal8.png", k8, 0},
                      SuiteCase{"q/rgb16faketrns.bmp", "rgb16.png", k15, 1},
                      SuiteCase{"q/rgb16-231.bmp", "rgb16-231.png", k32, 1},
                      SuiteCase{"q/rgb16-3103.bmp", "rgb16-3103.png", k32, 1},
                      SuiteCase{"q/rgba16-4444.bmp", "rgba16-4444.png", k32, 1},
                      SuiteCase{"q/rgba16-1924.bmp", "rgba16-1924.png", k32, 1},
                      SuiteCase{"q/rgb24largepal.bmp", "rgb24.png", k24, 0},
                      SuiteCase{"q/rgb24prof.bmp", "rgb24.png", k24, 0},
                      SuiteCase{"q/rgb24lprof.bmp", "rgb24.png", k24, 0},
                      SuiteCase{"q/rgb32fakealpha.bmp", "rgb24.png", k32, 0},
                      SuiteCase{"q/rgb32-xbgr.bmp", "rgb24.png", k32, 0},
                      SuiteCase{"q/rgb32h52.bmp", "rgb24.png", k32, 0},
                      SuiteCase{"q/rgba32h56.bmp", "rgba32.png", k32, 0},
                      SuiteCase{"q/rgb32-111110.bmp", "rgb24.png", k32, 1},
                      SuiteCase{"q/rgb32-7187.bmp", "rgb32-7187.png", k32, 1},
                      SuiteCase{"q/rgba32-1.bmp", "rgba32.png", k32, 0},
                      SuiteCase{"q/rgba32-2.bmp", "rgba32.png", k32, 0},
                      SuiteCase{"q/rgba32-1010102.bmp", "rgba32-1010102.png", k32, 1},
                      SuiteCase{"q/rgba32-81284.bmp", "rgba32-81284.png", k32, 1},
                      SuiteCase{"q/rgba32-61754.bmp", "rgba32-61754.png", k32, 1},
                      SuiteCase{"b/badbitssize.bmp", "pal1.png", k1, 0},
                      SuiteCase{"b/baddens1.bmp", "pal1.png", k1, 0},
                      SuiteCase{"b/baddens2.bmp", "pal1.png", k1, 0},
                      SuiteCase{"b/badfilesize.bmp", "pal1.png", k1, 0},
                      SuiteCase{"b/rgb16-880.bmp", "rgb16-880.png", k32, 1}));

// Refused files: each fails with exactly "Bitmap image is not valid".
class RefusedFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(RefusedFiles, FailWithTheInvalidBitmapText) {
  try {
    ReadBmpFile(TestDataPath(std::string("bmpsuite/") + GetParam()));
    FAIL() << "read without an error";
  } catch (const InvalidGraphicError& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid");
  }
}

INSTANTIATE_TEST_SUITE_P(BmpSuiteB, RefusedFiles,
                         ::testing::Values("b/badbitcount.bmp", "b/badheadersize.bmp",
                                           "b/badpalettesize.bmp", "b/badplanes.bmp",
                                           "b/badwidth.bmp", "b/reallybig.bmp", "b/rletopdown.bmp",
                                           "b/shortfile.bmp", "x/ba-bm.bmp",
                                           // unsupported depths and compressions
                                           "q/pal1huffmsb.bmp", "q/pal2.bmp", "q/pal2color.bmp",
                                           "q/pal8os2v2-16.bmp", "q/rgb24jpeg.bmp",
                                           "q/rgb24png.bmp", "q/rgb24rle24.bmp", "q/rgba32abf.bmp",
                                           "q/rgba64.bmp"));

// RLE files whose runs and deltas leave the picture are decoded with clipping.
class ClippedRleFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(ClippedRleFiles, ReadAtTheirOwnSize) {
  const Bitmap b = ReadBmpFile(TestDataPath(std::string("bmpsuite/") + GetParam()));
  EXPECT_EQ(b.Width(), 127);
  EXPECT_EQ(b.Height(), 64);
}

INSTANTIATE_TEST_SUITE_P(BmpSuiteB, ClippedRleFiles,
                         ::testing::Values("b/badrle.bmp", "b/badrle4.bmp", "b/badrlebis.bmp",
                                           "b/badrle4bis.bmp", "b/badrleter.bmp",
                                           "b/badrle4ter.bmp", "q/pal4rlecut.bmp",
                                           "q/pal8rlecut.bmp"));

TEST(BmpSuite, EveryFileReadsOrFailsCleanly) {
  int files = 0;
  for (const char* folder : {"g", "q", "b", "x"}) {
    for (const auto& entry :
         std::filesystem::directory_iterator(TestDataPath(std::string("bmpsuite/") + folder))) {
      SCOPED_TRACE(entry.path().string());
      ++files;
      try {
        const Bitmap b = ReadExact(ReadAll(entry.path().string()));
        EXPECT_FALSE(b.Empty());
      } catch (const InvalidGraphicError&) {
      }
    }
  }
  EXPECT_EQ(files, 91);
}

TEST(BmpSuite, IndicesBeyondThePaletteReadAsBlack) {
  const Bitmap b = ReadBmpFile(TestDataPath("bmpsuite/b/pal8badindex.bmp"));
  ASSERT_EQ(b.Format(), PixelFormat::Bit8);
  ASSERT_EQ(b.PaletteEntries().size(), 256u);
  int beyond = 0;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (b.ScanLine(y)[x] >= 101) {
        ++beyond;
        EXPECT_EQ(b.PixelColor(x, y), kBlack);
      }
    }
  }
  EXPECT_EQ(beyond, 4793);
}

TEST(BmpSuite, PalettesAreFilledUpToTheDepth) {
  const Bitmap b = ReadBmpFile(TestDataPath("bmpsuite/g/pal8.bmp"));
  ASSERT_EQ(b.PaletteEntries().size(), 256u);
  EXPECT_EQ(b.PaletteEntries()[252], (PaletteEntry{0, 0, 0, 0}));
  EXPECT_EQ(ReadBmpFile(TestDataPath("bmpsuite/g/pal4.bmp")).PaletteEntries().size(), 16u);
}

TEST(BmpSuite, MissingFileGivesTheOpenError) {
  const std::string path = TestDataPath("bmpsuite/g/no-such-file.bmp");
  try {
    ReadBmpFile(path);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot open file \"" + path + "\". No such file or directory");
  }
}

// ---------------------------------------------------------------------------------------------
// Round trips

Bitmap Sample(int width, int height, PixelFormat format) {
  Bitmap b(width, height, format);
  if (format == PixelFormat::Bit4 || format == PixelFormat::Bit8) {
    std::vector<PaletteEntry> palette(format == PixelFormat::Bit4 ? 16 : 256);
    for (std::size_t i = 0; i < palette.size(); ++i) {
      palette[i] = {std::uint8_t(i * 37), std::uint8_t(255 - i * 11), std::uint8_t(i * 5), 0};
    }
    b.SetPalette(palette);
  }
  if (format == PixelFormat::Bit1) b.SetPalette({{10, 20, 30, 0}, {200, 100, 50, 0}});
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned k = unsigned(x * 7 + y * 13 + x * y);
      Color c = RGB(std::uint8_t(k * 29), std::uint8_t(k * 53 + 7), std::uint8_t(k * 71 + 3));
      if (BitsPerPixelOf(format) <= 8) {
        const auto& p = b.PaletteEntries();
        c = EntryColor(p[k % p.size()]);
      }
      b.SetPixelColor(x, y, c);
    }
  }
  return b;
}

struct Shape {
  int width;
  int height;
};

TEST(BmpRoundTrip, EveryFormatAndShapeReadsBackIdentically) {
  std::vector<Shape> shapes;
  for (int w = 1; w <= 9; ++w) shapes.push_back({w, 3});
  shapes.insert(shapes.end(), {{1, 1}, {17, 1}, {1, 17}, {33, 2}, {2, 33}});
  for (PixelFormat format : {k1, k4, k8, k15, k16, k24, k32}) {
    for (const Shape& s : shapes) {
      SCOPED_TRACE(::testing::Message()
                   << "format " << int(format) << ", " << s.width << "x" << s.height);
      const Bitmap original = Sample(s.width, s.height, format);
      const Bitmap back = ReadExact(EncodeBmp(original));
      EXPECT_EQ(back.Format(), format);
      EXPECT_BITMAP_EQ(back, original);
      EXPECT_TRUE(back == original);  // palette, padding and every byte too
    }
  }
}

TEST(BmpRoundTrip, CustomLayoutsKeepTheirColours) {
  const struct {
    PixelLayout layout;
    PixelFormat readAs;
  } cases[] = {
      {{16, kCompressionBitFields, 0x7C00, 0x3E0, 0x1F}, k15},
      {{16, kCompressionBitFields, 0xF800, 0x7E0, 0x1F}, k16},
      {{16, kCompressionBitFields, 0xF00, 0xF0, 0xF}, k32},
      {{16, kCompressionRgb, 0, 0, 0}, k15},
      {{32, kCompressionBitFields, 0xFF, 0xFF00, 0xFF0000}, k32},
      {{32, kCompressionBitFields, 0x3FF00000, 0xFFC00, 0x3FF}, k32},
      {{32, kCompressionRgb, 0, 0, 0}, k32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.layout.redMask);
    Bitmap custom(5, 3, k32);
    custom.SetCustomLayout(c.layout);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) custom.SetPixelColor(x, y, RGB(x * 60, y * 120, 255 - x * 50));
    const Bitmap back = ReadExact(EncodeBmp(custom));
    EXPECT_EQ(back.Format(), c.readAs);
    if (c.readAs == k32) {
      EXPECT_BITMAP_EQ(back, custom);
    } else {
      // Same 16-bit words; only the expansion of 5-bit channels may differ in the last bit.
      ASSERT_EQ(back.ByteSize(), custom.ByteSize());
      EXPECT_EQ(std::memcmp(back.Bits(), custom.Bits(), back.ByteSize()), 0);
    }
  }
}

TEST(BmpRoundTrip, WriteBmpFileReplacesTheTargetWithACompleteFile) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "skelda-bmp-codec-test.bmp").string();
  const Bitmap first = Sample(7, 5, k32);
  const Bitmap second = Sample(3, 9, k8);
  WriteBmpFile(first, path);
  WriteBmpFile(second, path);
  EXPECT_EQ(ReadAll(path), EncodeBmp(second));
  EXPECT_TRUE(ReadBmpFile(path) == second);
  std::filesystem::remove(path);
}

TEST(BmpRoundTrip, AnUnwritableTargetGivesTheCreateError) {
  const std::string path = "/no-such-folder-skelda/picture.bmp";
  try {
    WriteBmpFile(Sample(2, 2, k32), path);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot create file \"" + path + "\". No such file or directory");
  }
}

// ---------------------------------------------------------------------------------------------
// The written file, byte by byte

TEST(BmpEncode, HeaderOfA3x2TrueColourPicture) {
  Bitmap b(3, 2, k32);
  b.SetPixelColor(0, 0, RGB(1, 2, 3));                                     // top row
  b.SetPixelColor(2, 1, RGB(250, 251, 252));                               // bottom row, right
  const Bytes expected = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
                          40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 24, 0, 0, 0,
                          0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                          // bottom row first: blue, green, red, 0
                          0, 0, 0, 0, 0, 0, 0, 0, 252, 251, 250, 0, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0,
                          0};
  EXPECT_EQ(EncodeBmp(b), expected);
}

TEST(BmpEncode, PaletteOnlyForPaletteFormats) {
  Bitmap pal(5, 1, k8);
  pal.SetPalette({{255, 0, 0, 0}, {0, 0, 255, 0}, {9, 9, 9, 0}});
  pal.ScanLine(0)[1] = 1;
  pal.ScanLine(0)[4] = 2;
  const Bytes e = EncodeBmp(pal);
  EXPECT_EQ(U32At(e, 2), 14u + 40 + 12 + 8);  // file size: 5 pixels padded to 8
  EXPECT_EQ(U32At(e, 10), 14u + 40 + 12);     // three entries before the pixels
  EXPECT_EQ(U32At(e, 46), 3u);                // biClrUsed
  const Bytes palette(e.begin() + 54, e.begin() + 66);
  EXPECT_EQ(palette, (Bytes{0, 0, 255, 0, 255, 0, 0, 0, 9, 9, 9, 0}));
  const Bytes row(e.begin() + 66, e.end());
  EXPECT_EQ(row, (Bytes{0, 1, 0, 0, 2, 0, 0, 0}));

  const Bytes rgb = EncodeBmp(Bitmap(5, 1, k24));
  EXPECT_EQ(U32At(rgb, 10), 54u);
  EXPECT_EQ(U32At(rgb, 46), 0u);
  EXPECT_EQ(rgb.size(), 54u + 16);
}

TEST(BmpEncode, SixteenBitLayouts) {
  const Bytes b15 = EncodeBmp(Bitmap(2, 2, k15));
  EXPECT_EQ(U32At(b15, 30), kCompressionRgb);
  EXPECT_EQ(b15[28], 16);
  EXPECT_EQ(U32At(b15, 10), 54u);

  const Bytes b16 = EncodeBmp(Bitmap(2, 2, k16));
  EXPECT_EQ(U32At(b16, 30), kCompressionBitFields);
  EXPECT_EQ(b16[28], 16);
  EXPECT_EQ(U32At(b16, 10), 66u);
  EXPECT_EQ(U32At(b16, 54), 0xF800u);
  EXPECT_EQ(U32At(b16, 58), 0x07E0u);
  EXPECT_EQ(U32At(b16, 62), 0x001Fu);
  EXPECT_EQ(b16.size(), 66u + 8);
}

TEST(BmpEncode, FormatsWithoutAFileLayoutAreNotSupported) {
  Bitmap custom24(2, 2, k32);
  custom24.SetCustomLayout({24, kCompressionRgb, 0, 0, 0});
  for (const Bitmap& b : {Bitmap(2, 2, PixelFormat::Device), custom24}) {
    try {
      EncodeBmp(b);
      FAIL();
    } catch (const AssertionError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Bitmap format is not supported (", 0), 0u) << e.what();
    }
  }
}

TEST(BmpEncode, AnEmptyBitmapIsNotWritten) {
  EXPECT_THROW(EncodeBmp(Bitmap()), InvalidGraphicError);
  EXPECT_THROW(EncodeBmp(Bitmap(0, 5, k32)), InvalidGraphicError);
}

// ---------------------------------------------------------------------------------------------
// Hand-made files

// A bottom-up 40-byte-header file with the given pixel bytes after an optional palette.
Bytes MakeFile(int width, int height, int bitCount, std::uint32_t compression, const Bytes& palette,
               const Bytes& pixels, const Bytes& masks = {}) {
  const std::size_t pixelsAt = 54 + masks.size() + palette.size();
  Bytes f(pixelsAt + pixels.size(), 0);
  f[0] = 'B';
  f[1] = 'M';
  std::copy(masks.begin(), masks.end(), f.begin() + 54);
  std::copy(palette.begin(), palette.end(), f.begin() + 54 + masks.size());
  std::copy(pixels.begin(), pixels.end(), f.begin() + pixelsAt);
  SetU32(f, 10, static_cast<std::uint32_t>(pixelsAt));
  SetU32(f, 2, static_cast<std::uint32_t>(f.size()));
  SetU32(f, 14, 40);
  SetU32(f, 18, static_cast<std::uint32_t>(width));
  SetU32(f, 22, static_cast<std::uint32_t>(height));
  SetU16(f, 26, 1);
  SetU16(f, 28, static_cast<unsigned>(bitCount));
  SetU32(f, 30, compression);
  SetU32(f, 46, static_cast<std::uint32_t>(palette.size() / 4));
  return f;
}

Bytes Grey4Palette() {
  return {0, 0, 0, 0, 85, 85, 85, 0, 170, 170, 170, 0, 255, 255, 255, 0};
}

std::vector<int> Indices(const Bitmap& b) {
  std::vector<int> out;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const Color c = b.PixelColor(x, y);
      out.push_back(RedOf(c) / 85);
    }
  }
  return out;
}

TEST(BmpRle, Rle8RunsAbsoluteRunsDeltasAndClipping) {
  // 5 x 3, rows bottom-up. Bottom: a run of 2 x index 1, an absolute run of 3 pixels (2, 3, 1)
  // with its pad byte, end of line. Middle: delta 3 right, then a run of 4 x index 2 that is
  // clipped after 2 pixels, end of line. Then end of bitmap: the top row keeps index 0.
  const Bytes rle = {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 3, 0, 4, 2, 0, 0, 0, 1};
  const Bitmap b = ReadExact(MakeFile(5, 3, 8, 1, Grey4Palette(), rle));
  ASSERT_EQ(b.Format(), k8);
  EXPECT_EQ(Indices(b), (std::vector<int>{0, 0, 0, 0, 0,  //
                                          0, 0, 0, 2, 2,  //
                                          1, 1, 2, 3, 1}));
}

TEST(BmpRle, Rle4NibblesAlternate) {
  // 6 x 1: a run of 5 pixels alternating 1 and 2, then an absolute run of 3 pixels.
  const Bytes rle = {5, 0x12, 0, 3, 0x30, 0x00, 0, 1};
  const Bitmap b = ReadExact(MakeFile(6, 1, 4, 2, Grey4Palette(), rle));
  ASSERT_EQ(b.Format(), k4);
  // The absolute run gives 3, 0, 0: only its first pixel fits in the row.
  EXPECT_EQ(Indices(b), (std::vector<int>{1, 2, 1, 2, 1, 3}));
}

TEST(BmpRle, DeltasFarOutsideThePictureAreHarmless) {
  const Bytes rle = {0, 2, 255, 255, 0, 2, 255, 255, 3, 1, 0, 0, 0, 1};
  const Bitmap b = ReadExact(MakeFile(4, 2, 8, 1, Grey4Palette(), rle));
  EXPECT_EQ(Indices(b), (std::vector<int>(8, 0)));
}

TEST(BmpRle, DataEndingBeforeThePictureIsCompleteIsInvalid) {
  const Bytes rle = {4, 1, 0, 0, 4, 2};  // two of the three rows, no end of bitmap
  EXPECT_THROW(ReadExact(MakeFile(4, 3, 8, 1, Grey4Palette(), rle)), InvalidGraphicError);
  // All rows written: the missing end-of-bitmap does no harm.
  const Bytes full = {4, 1, 0, 0, 4, 2, 0, 0, 4, 3, 0, 0};
  EXPECT_EQ(Indices(ReadExact(MakeFile(4, 3, 8, 1, Grey4Palette(), full))),
            (std::vector<int>{3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}));
}

TEST(BmpRle, AHugeRlePictureIsRefusedBeforeAllocating) {
  EXPECT_THROW(ReadExact(MakeFile(100000, 100000, 8, 1, Grey4Palette(), {0, 1})),
               PictureTooLargeError);
}

TEST(BmpMasks, OtherMasksAreScaledWithRounding) {
  // 16 bits 4-4-4: 15 -> 255, 8 -> round(8 * 255 / 15) = 136, 1 -> 17.
  const Bytes masks16 = {0, 0x0F, 0, 0, 0xF0, 0, 0, 0, 0x0F, 0, 0, 0};
  const Bitmap b16 =
      ReadExact(MakeFile(2, 1, 16, 3, {}, {0x1F, 0x08, 0x00, 0x0F, 0, 0, 0, 0}, masks16));
  ASSERT_EQ(b16.Format(), k32);
  EXPECT_EQ(b16.PixelColor(0, 0), RGB(136, 17, 255));
  EXPECT_EQ(b16.PixelColor(1, 0), RGB(255, 0, 0));
  // 32 bits 10-10-10 with blue in the low bits: 512 -> round(512 * 255 / 1023) = 128.
  const Bytes masks32 = {0, 0, 0xF0, 0x3F, 0, 0xFC, 0x0F, 0, 0xFF, 0x03, 0, 0};
  const std::uint32_t word = (1023u << 20) | (512u << 10) | 1u;
  const Bytes px = {std::uint8_t(word), std::uint8_t(word >> 8), std::uint8_t(word >> 16),
                    std::uint8_t(word >> 24)};
  const Bitmap b32 = ReadExact(MakeFile(1, 1, 32, 3, {}, px, masks32));
  EXPECT_EQ(b32.PixelColor(0, 0), RGB(255, 128, 0));
}

TEST(BmpLayout, TopDownAndBottomUpGiveTheSamePicture) {
  const Bytes rows = {0,   0, 255, 0, 0,   0, 0, 0,   // file row 0: red, black, padding
                      255, 0, 0,   0, 255, 0, 0, 0};  // file row 1: blue, green, padding
  const Bitmap up = ReadExact(MakeFile(2, 2, 24, 0, {}, rows));
  const Bitmap down = ReadExact(MakeFile(2, -2, 24, 0, {}, rows));
  EXPECT_EQ(up.PixelColor(0, 1), RGB(255, 0, 0));  // first row in the file is the bottom row
  EXPECT_EQ(up.PixelColor(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(down.PixelColor(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(down.PixelColor(1, 1), RGB(0, 255, 0));
}

TEST(BmpLayout, TheFourthByteOfPlainTrueColourIsDropped) {
  const Bitmap b = ReadExact(MakeFile(1, 1, 32, 0, {}, {1, 2, 3, 0xEE}));
  EXPECT_EQ(b.ScanLine(0)[3], 0);
  EXPECT_EQ(b.PixelColor(0, 0), RGB(3, 2, 1));
}

TEST(BmpLayout, TheLastRowMayLackItsPadding) {
  const Bytes rows = {1, 2, 3, 0, 4, 5, 6};  // 1 x 2 at 24 bits, the last padding byte missing
  const Bitmap b = ReadExact(MakeFile(1, 2, 24, 0, {}, rows));
  EXPECT_EQ(b.PixelColor(0, 0), RGB(6, 5, 4));
}

struct Corruption {
  const char* name;
  std::size_t offset;
  int size;  // 2 or 4
  std::uint32_t value;
};

void PrintTo(const Corruption& c, std::ostream* os) {
  *os << c.name;
}

class CorruptHeaders : public ::testing::TestWithParam<Corruption> {};

TEST_P(CorruptHeaders, AreInvalid) {
  Bytes f = MakeFile(3, 2, 8, 0, Grey4Palette(), Bytes(8, 1));
  ASSERT_NO_THROW(ReadExact(f));
  const Corruption& c = GetParam();
  if (c.size == 2) {
    SetU16(f, c.offset, c.value);
  } else {
    SetU32(f, c.offset, c.value);
  }
  try {
    ReadExact(f);
    FAIL() << "read without an error";
  } catch (const InvalidGraphicError& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid");
  }
}

INSTANTIATE_TEST_SUITE_P(
    HandMade, CorruptHeaders,
    ::testing::Values(
        Corruption{"signature", 0, 2, 'B' | ('A' << 8)},
        Corruption{"pixel offset past the end", 10, 4, 1000},
        Corruption{"pixel offset inside the header", 10, 4, 40},
        Corruption{"header size 41", 14, 4, 41}, Corruption{"header size huge", 14, 4, 0xFFFFFFF0u},
        Corruption{"width 0", 18, 4, 0}, Corruption{"width negative", 18, 4, 0xFFFFFFFDu},
        Corruption{"height 0", 22, 4, 0}, Corruption{"height minimum", 22, 4, 0x80000000u},
        Corruption{"height huge", 22, 4, 0x7FFFFFFFu}, Corruption{"width huge", 18, 4, 0x7FFFFFFFu},
        Corruption{"planes 0", 26, 2, 0}, Corruption{"planes 2", 26, 2, 2},
        Corruption{"bit count 0", 28, 2, 0}, Corruption{"bit count 2", 28, 2, 2},
        Corruption{"bit count 7", 28, 2, 7}, Corruption{"bit count 64", 28, 2, 64},
        Corruption{"RLE4 on 8 bits", 30, 4, 2}, Corruption{"bit fields on 8 bits", 30, 4, 3},
        Corruption{"JPEG", 30, 4, 4}, Corruption{"compression 99", 30, 4, 99},
        Corruption{"palette past the end", 46, 4, 1000},
        Corruption{"palette count huge", 46, 4, 0xFFFFFFFFu}));

TEST(BmpHandMade, RleTopDownIsInvalid) {
  EXPECT_THROW(ReadExact(MakeFile(2, -2, 8, 1, Grey4Palette(), {0, 1})), InvalidGraphicError);
}

TEST(BmpHandMade, EveryCutOfAValidFileReadsOrFailsCleanly) {
  const Bytes sources[] = {
      EncodeBmp(Sample(4, 3, k24)),  // rows without padding: every cut loses pixels
      EncodeBmp(Sample(5, 3, k8)),
      EncodeBmp(Sample(3, 2, k16)),
      ReadAll(TestDataPath("bmpsuite/g/pal4rle.bmp")),
      ReadAll(TestDataPath("bmpsuite/g/pal8os2.bmp")),
      ReadAll(TestDataPath("bmpsuite/g/rgb32bf.bmp")),
  };
  for (std::size_t s = 0; s < std::size(sources); ++s) {
    const Bytes& full = sources[s];
    ASSERT_GT(full.size(), 54u);
    // Every length through the headers, the palette and the first rows and near the end;
    // a sample of the lengths in between.
    for (std::size_t length = 0; length < full.size();
         length += (length < 1200 || length + 600 > full.size()) ? 1 : 61) {
      const Bytes cut(full.begin(), full.begin() + length);
      try {
        ReadExact(cut);
        EXPECT_NE(s, 0u) << "a cut at " << length << " bytes read without an error";
      } catch (const InvalidGraphicError&) {
      }
    }
  }
}

TEST(BmpHandMade, EveryByteFlippedReadsOrFailsCleanly) {
  const Bytes full = EncodeBmp(Sample(5, 3, k4));
  for (std::size_t at = 0; at < 54 + 64; ++at) {
    for (std::uint8_t value : {std::uint8_t(0), std::uint8_t(0x80), std::uint8_t(0xFF)}) {
      Bytes f = full;
      f[at] = value;
      try {
        ReadExact(f);
      } catch (const InvalidGraphicError&) {
      } catch (const PictureTooLargeError&) {
      }
    }
  }
}

}  // namespace
}  // namespace skelda
