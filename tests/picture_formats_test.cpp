// PNG, WebP, GIF and TIFF files as people bring them: told by content, every kind of pixel
// against libpng's and libtiff's plain decode, EXIF orientations, cut and hostile files.
#include <gtest/gtest.h>
#include <tiffio.h>
#include <zlib.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "core/errors.h"
#include "intake/exif_orientation.h"
#include "intake/picture_kind.h"
#include "intake/picture_loading.h"
#include "intake/picture_saving.h"
#include "intake/png_decoder.h"
#include "intake_test_support.h"
#include "png_making.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using testing::RawPng;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::TestDataPath;
using testing::WriteBytes;

std::string Photo(const std::string& name) {
  return TestDataPath("photos/" + name);
}

Bitmap Load(const std::string& path) {
  Workspace ws;
  ReadPictureFile(ws, "0.2", path);
  return ws.BaseBitmap;
}

std::uint8_t To8(unsigned v, int depth) {
  return depth == 16 ? static_cast<std::uint8_t>(std::lround(v * 255.0 / 65535)) : v;
}

std::uint8_t OverWhite(unsigned c, unsigned a) {
  return static_cast<std::uint8_t>(std::lround(a / 255.0 * c + (1 - a / 255.0) * 255));
}

// What a viewer shows of a raw PNG over a white page, pixel by pixel.
Bitmap Reference(const RawPng& raw) {
  const int type = raw.colorType;
  const int channels = type == PNG_COLOR_TYPE_RGBA         ? 4
                       : type == PNG_COLOR_TYPE_RGB        ? 3
                       : type == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                           : 1;
  Bitmap b(raw.width, raw.height, PixelFormat::Bit32);
  for (int y = 0; y < raw.height; ++y) {
    for (int x = 0; x < raw.width; ++x) {
      std::uint8_t c[4] = {0, 0, 0, 255};
      if (type == PNG_COLOR_TYPE_PALETTE) {  // 8 bits
        const png_color& e = raw.palette.at(raw.rows[y][x]);
        c[0] = e.red, c[1] = e.green, c[2] = e.blue;
      } else {
        for (int i = 0; i < channels; ++i) {
          c[i] = To8(testing::Sample(raw, y, x, channels, i), raw.bitDepth);
        }
        if (channels <= 2) c[3] = channels == 2 ? c[1] : 255, c[1] = c[2] = c[0];
      }
      b.SetPixelColor(x, y,
                      RGB(OverWhite(c[0], c[3]), OverWhite(c[1], c[3]), OverWhite(c[2], c[3])));
    }
  }
  return b;
}

double MeanDifference(const Bitmap& a, const Bitmap& b) {
  EXPECT_EQ(a.ByteSize(), b.ByteSize());  // both 32 bits: compare bytes
  double sum = 0;
  for (std::size_t i = 0; i < a.ByteSize(); ++i) sum += std::abs(a.Bits()[i] - b.Bits()[i]);
  return sum / (3.0 * a.Width() * a.Height());
}

TEST(PictureKindTest, TheFirstBytesDecide) {
  using namespace std::string_literals;
  using K = PictureKind;
  // clang-format off
  const std::pair<std::string, K> cases[] = {
      {"\xFF\xD8\xFF\xE1"s, K::Jpeg}, {"\xFF\xD8\x00"s, K::Unknown}, {"BM6"s, K::Bmp},
      {"B"s, K::Unknown}, {"\x89PNG\r\n\x1A\n"s, K::Png}, {"\x89PNG\r\n\x1A"s, K::Unknown},
      {"GIF87a"s, K::Gif}, {"GIF89a"s, K::Gif}, {"GIF88a"s, K::Unknown},
      {"RIFF\0\0\0\0WEBPVP8 "s, K::WebP}, {"RIFF\0\0\0\0WAVE"s, K::Unknown},
      {"II*\0"s, K::Tiff}, {"MM\0*"s, K::Tiff}, {"II\0*"s, K::Unknown}, {""s, K::Unknown}};
  // clang-format on
  for (const auto& [bytes, kind] : cases) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    EXPECT_EQ(DetectPictureKind(data, bytes.size()), kind) << bytes;
  }
}

// Between them the photo tests load all fourteen photos. Against libpng's plain decode,
// composited here over white in floating point.
TEST(PhotoTest, PngPixelsExactly) {
  for (const char* name : {"coffee.png", "camera.png", "horse.png", "logo.png", "green_palette.png",
                           "coffee-16bit.png"}) {
    EXPECT_BITMAP_EQ(Load(Photo(name)), Reference(testing::ReadRawPng(Photo(name)))) << name;
  }
}

TEST(PhotoTest, LosslessFormsGiveThePngsPixels) {
  EXPECT_BITMAP_EQ(Load(Photo("coffee-lossless.webp")), Load(Photo("coffee.png")));
  EXPECT_BITMAP_EQ(Load(Photo("coffee.tif")), Load(Photo("coffee.png")));
  EXPECT_BITMAP_EQ(Load(Photo("horse.webp")), Load(Photo("horse.png")));
}

TEST(PhotoTest, HorseIsBlackOnWhite) {
  const Bitmap horse = Load(Photo("horse.png"));
  int black = 0, white = 0;
  for (int y = 0; y < horse.Height(); ++y) {
    for (int x = 0; x < horse.Width(); ++x) {
      black += horse.PixelColor(x, y) == kBlack;
      white += horse.PixelColor(x, y) == kWhite;
    }
  }
  EXPECT_GT(black, 40000);
  EXPECT_GT(white, 80000);
  EXPECT_LT(horse.Width() * horse.Height() - black - white, 3000);  // the edge, in greys
}

TEST(PhotoTest, LossyFormsNearThePng) {
  const Bitmap coffee = Load(Photo("coffee.png"));
  EXPECT_LT(MeanDifference(Load(Photo("coffee-exif6.jpg")), coffee), 3);
  EXPECT_LT(MeanDifference(Load(Photo("coffee-cmyk.jpg")), coffee), 4);
  EXPECT_LT(MeanDifference(Load(Photo("coffee.webp")), coffee), 4);
  EXPECT_LT(MeanDifference(Load(Photo("coffee.gif")), coffee), 6);
}

TEST(PhotoTest, SixteenBitTiffRoundsToTheNearest) {
  TIFF* tiff = TIFFOpen(Photo("chessboard_GRAY_U16.tif").c_str(), "r");
  ASSERT_NE(tiff, nullptr);
  std::uint32_t width = 0, height = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
  Bitmap expected(width, height, PixelFormat::Bit32);
  std::vector<std::uint16_t> row(TIFFScanlineSize(tiff) / 2);
  for (std::uint32_t y = 0; y < height; ++y) {
    ASSERT_EQ(TIFFReadScanline(tiff, row.data(), y), 1);
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint8_t v = To8(row[x], 16);
      expected.SetPixelColor(x, y, RGB(v, v, v));
    }
  }
  TIFFClose(tiff);
  EXPECT_BITMAP_EQ(Load(Photo("chessboard_GRAY_U16.tif")), expected);
}

// Pictures made here cover what the photos do not: every 16-bit value, every grey and alpha,
// interlacing.
class MadePngTest : public ::testing::Test {
 protected:
  Bitmap LoadMade(const RawPng& raw) {
    WriteBytes(folder_.File("made.png"), testing::MakePng(raw));
    return Load(folder_.File("made.png"));
  }
  static RawPng Square(int type, int depth, int channels, unsigned (*sample)(int x, int y, int c)) {
    RawPng raw{256, 256, type, depth, false, {}, {}, {}};
    for (int y = 0; y < 256; ++y) {
      std::vector<std::uint8_t> row;
      for (int x = 0; x < 256; ++x) {
        for (int c = 0; c < channels; ++c) {
          const unsigned v = sample(x, y, c);
          if (depth == 16) row.push_back(v >> 8);
          row.push_back(v & 0xFF);
        }
      }
      raw.rows.push_back(row);
    }
    return raw;
  }
  ScratchFolder folder_;
};

TEST_F(MadePngTest, EverySixteenBitValueRoundsToTheNearest) {
  const RawPng raw =
      Square(PNG_COLOR_TYPE_GRAY, 16, 1, [](int x, int y, int) { return unsigned(y * 256 + x); });
  const Bitmap b = LoadMade(raw);
  for (int v = 0; v < 65536; ++v) {
    const unsigned expected = (v * 255u + 32767) / 65535;  // not v >> 8
    ASSERT_EQ(b.PixelColor(v % 256, v / 256), RGB(expected, expected, expected)) << v;
  }
}

TEST_F(MadePngTest, EveryGreyAndAlphaOverWhite) {
  // A fully transparent row carries colour: it must still be white.
  const RawPng raw = Square(PNG_COLOR_TYPE_GRAY_ALPHA, 8, 2,
                            [](int x, int y, int c) { return unsigned(c == 0 ? x : y); });
  EXPECT_BITMAP_EQ(LoadMade(raw), Reference(raw));
}

TEST_F(MadePngTest, InterlacedSixteenBitRgba) {
  RawPng rgba = Square(PNG_COLOR_TYPE_RGBA, 16, 4, [](int x, int y, int c) {
    return unsigned((x * 257 + y * 131 + c * 9001) & 0xFFFF);
  });
  rgba.interlaced = true;
  EXPECT_BITMAP_EQ(LoadMade(rgba), Reference(rgba));
}

// A TIFF structure holding only the Orientation tag: the EXIF block's core.
std::vector<std::uint8_t> ExifTiff(unsigned orientation, bool bigEndian = false,
                                   unsigned type = 3) {
  auto put16 = [&](std::vector<std::uint8_t>& v, unsigned x) {
    v.push_back(bigEndian ? x >> 8 : x & 0xFF);
    v.push_back(bigEndian ? x & 0xFF : x >> 8);
  };
  std::vector<std::uint8_t> t = bigEndian ? std::vector<std::uint8_t>{'M', 'M', 0, 42, 0, 0, 0, 8}
                                          : std::vector<std::uint8_t>{'I', 'I', 42, 0, 8, 0, 0, 0};
  for (const unsigned v : {1u, 0x0112u, type, bigEndian ? 0u : 1u, bigEndian ? 1u : 0u, orientation,
                           0u, 0u, 0u}) {  // count 1; no next directory
    put16(t, v);
  }
  return t;
}

TEST_F(MadePngTest, AllEightOrientations) {
  // Stored rows "ABC" over "DEF"; each line is what a viewer shows, row by row.
  const char* shown[] = {"ABC DEF",  "CBA FED",  "FED CBA",  "DEF ABC",
                         "AD BE CF", "DA EB FC", "FC EB DA", "CF BE AD"};
  RawPng raw{3, 2, PNG_COLOR_TYPE_RGB, 8, false, {}, {}, {}};
  raw.rows = {{'A', 0, 0, 'B', 0, 0, 'C', 0, 0}, {'D', 0, 0, 'E', 0, 0, 'F', 0, 0}};
  for (unsigned o = 1; o <= 8; ++o) {
    raw.exif = ExifTiff(o, o % 2 == 0);
    const Bitmap b = LoadMade(raw);
    std::string text;
    for (int y = 0; y < b.Height(); ++y) {
      if (y > 0) text += ' ';
      for (int x = 0; x < b.Width(); ++x) text += char(b.PixelColor(x, y) & 0xFF);
    }
    EXPECT_EQ(text, shown[o - 1]) << "orientation " << o;
  }
}

int OrientationOf(PictureKind kind, const std::vector<std::uint8_t>& bytes) {
  return FileOrientation(kind, bytes.data(), bytes.size());
}

std::vector<std::uint8_t> Concat(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(ExifOrientationTest, FoundInEachContainerAndBoundsChecked) {
  const std::vector<std::uint8_t> exif = Concat({{'E', 'x', 'i', 'f', 0, 0}, ExifTiff(8, true)});
  const auto segment = [](std::uint8_t marker, const std::vector<std::uint8_t>& body) {
    return Concat(
        {{0xFF, marker, std::uint8_t((body.size() + 2) >> 8), std::uint8_t(body.size() + 2)},
         body});
  };
  const std::vector<std::uint8_t> xmp = {'h', 't', 't', 'p', ':', '/', '/', 0};
  const std::vector<std::uint8_t> soi = {0xFF, 0xD8}, sos = {0xFF, 0xDA, 0, 2};
  EXPECT_EQ(
      OrientationOf(PictureKind::Jpeg, Concat({soi, segment(0xE1, xmp), segment(0xE1, exif)})), 8);
  EXPECT_EQ(OrientationOf(PictureKind::Jpeg, Concat({soi, sos, segment(0xE1, exif)})), 1);
  const std::vector<std::uint8_t> cut = Concat({soi, segment(0xE1, exif)});
  EXPECT_EQ(OrientationOf(PictureKind::Jpeg, {cut.begin(), cut.end() - 3}), 1);
  const std::vector<std::uint8_t> riff = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'};
  const std::vector<std::uint8_t> odd = {'I', 'C', 'C', 'P', 1, 0, 0, 0, 7, 0};  // padded
  EXPECT_EQ(
      OrientationOf(
          PictureKind::WebP,
          Concat({riff, odd, {'E', 'X', 'I', 'F', std::uint8_t(exif.size()), 0, 0, 0}, exif})),
      8);
  EXPECT_EQ(OrientationOf(PictureKind::Tiff, ExifTiff(3)), 3);
  EXPECT_EQ(OrientationOf(PictureKind::Tiff, ExifTiff(9)), 1);
  EXPECT_EQ(OrientationOf(PictureKind::Tiff, ExifTiff(6, false, 4)), 1);  // not a SHORT
  std::vector<std::uint8_t> far = ExifTiff(6);
  far[4] = 0xF0;  // the directory beyond the end
  EXPECT_EQ(OrientationOf(PictureKind::Tiff, far), 1);
  EXPECT_EQ(OrientationOf(PictureKind::Tiff, {far.begin(), far.begin() + 12}), 1);
}

// The first N bytes of each kind, zero bytes too: a message, and the workspace as it was.
TEST(BadPictureTest, CutCopiesChangeNothing) {
  ScratchFolder folder;
  for (const char* name : {"coffee.png", "logo.png", "green_palette.png", "coffee-16bit.png",
                           "coffee.webp", "coffee-lossless.webp", "horse.webp", "coffee.gif",
                           "coffee.tif", "chessboard_GRAY_U16.tif", "coffee-exif6.jpg"}) {
    const std::vector<std::uint8_t> whole = ReadBytes(Photo(name));
    for (const std::size_t n :
         {std::size_t(0), std::size_t(1), std::size_t(4), std::size_t(11), std::size_t(40),
          whole.size() / 4, whole.size() / 2, whole.size() * 3 / 4}) {
      const std::string cut = folder.File(std::string("cut-") + name);
      WriteBytes(cut, {whole.begin(), whole.begin() + n});
      Workspace ws;
      ws.StartUp();
      const Bitmap base = ws.BaseBitmap;
      EXPECT_THROW(ReadPictureFile(ws, "0.2", cut), Error) << name << " cut at " << n;
      EXPECT_EQ(ws.BaseBitmap, base);
    }
  }
}

void PatchPngHeader(std::vector<std::uint8_t>& png, std::uint32_t width, std::uint32_t height) {
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = std::uint8_t(width >> (24 - 8 * i));
    png[20 + i] = std::uint8_t(height >> (24 - 8 * i));
  }
  const std::uint32_t crc = crc32(0, png.data() + 12, 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = std::uint8_t(crc >> (24 - 8 * i));
}

TEST(BadPictureTest, HugeClaimsAreRefusedBeforeAllocating) {
  ScratchFolder folder;
  std::vector<std::uint8_t> png = ReadBytes(Photo("green_palette.png"));
  PatchPngHeader(png, 60000, 60000);
  std::vector<std::uint8_t> gif = ReadBytes(Photo("coffee.gif"));
  gif[6] = gif[7] = gif[8] = gif[9] = 0xFF;
  for (const auto& [name, bytes] : {std::pair{"huge.png", png}, std::pair{"huge.gif", gif}}) {
    WriteBytes(folder.File(name), bytes);
    EXPECT_THROW(Load(folder.File(name)), PictureTooLargeError) << name;
  }
}

// libpng sizes a text chunk's buffer from its stated length before reading it.
TEST(BadPictureTest, TextChunksCostNothing) {
  ScratchFolder folder;
  const std::vector<std::uint8_t> png = ReadBytes(Photo("green_palette.png"));
  auto withChunk = [&](std::vector<std::uint8_t> chunk) {
    std::vector<std::uint8_t> out = png;
    out.insert(out.begin() + 33, chunk.begin(), chunk.end());  // after signature and header
    return out;
  };
  const std::vector<std::uint8_t> text = {0, 0, 0, 3, 't', 'E', 'X', 't', 'a', 0, 'b', 0, 0, 0, 0};
  WriteBytes(folder.File("text.png"), withChunk(text));
  EXPECT_BITMAP_EQ(Load(folder.File("text.png")), Load(Photo("green_palette.png")));
  const std::vector<std::uint8_t> huge = {0x5D, 0, 0, 0, 't', 'E', 'X', 't', 'a', 0};
  WriteBytes(folder.File("huge-text.png"), withChunk(huge));
  EXPECT_THROW(Load(folder.File("huge-text.png")), PictureFormatError);
}

TEST(SavePngTest, RoundTripsEveryFormat) {
  ScratchFolder folder;
  for (const PixelFormat format : {PixelFormat::Bit1, PixelFormat::Bit8, PixelFormat::Bit32}) {
    Workspace ws;
    ws.ShownBitmap = testing::MakePicture(
        7, 3, format, [](int x, int y) { return RGB(x * 40, y * 100, (x * y) & 1 ? 255 : 0); });
    EXPECT_BITMAP_EQ(Load(SavePicturePng(ws, folder.File("seen"))), ws.ShownBitmap);
  }
  EXPECT_EQ(PngSaveName("a.png.bmp"), "a.png.bmp.png");
}

}  // namespace
}  // namespace skelda
