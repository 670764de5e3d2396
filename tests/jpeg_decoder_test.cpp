#include "intake/jpeg_decoder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/errors.h"
#include "intake_test_support.h"
#include "support/bitmap_assert.h"

// clang-format off
#include <jerror.h>
// clang-format on

namespace skelda {
namespace {

using testing::ClaimSize;
using testing::JpegMaking;
using testing::MakeJpeg;
using testing::ReadBytes;
using testing::ReadPnm;
using testing::TestDataPath;

// Every pixel of the decode equals the reference samples (grey samples as equal R, G, B), with
// the fourth byte 0.
::testing::AssertionResult MatchesReference(const Bitmap& decoded, const testing::Pnm& ref) {
  if (decoded.Format() != PixelFormat::Bit32) return ::testing::AssertionFailure() << "not 32-bit";
  if (decoded.Width() != ref.width || decoded.Height() != ref.height) {
    return ::testing::AssertionFailure() << "size " << decoded.Width() << "x" << decoded.Height();
  }
  for (int y = 0; y < ref.height; ++y) {
    const std::uint8_t* row = decoded.ScanLine(y);
    for (int x = 0; x < ref.width; ++x) {
      const std::uint8_t* s = &ref.samples[(std::size_t(y) * ref.width + x) * ref.channels];
      const std::uint8_t r = s[0], g = s[ref.channels == 3 ? 1 : 0], b = s[ref.channels - 1];
      const std::uint8_t* p = row + 4 * x;
      if (p[0] != b || p[1] != g || p[2] != r || p[3] != 0) {
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is " << int(p[2]) << "," << int(p[1]) << ","
               << int(p[0]) << "," << int(p[3]) << ", reference " << int(r) << "," << int(g) << ","
               << int(b);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

struct ReferenceCase {
  const char* file;
  const char* reference;
};

class JpegReferenceTest : public ::testing::TestWithParam<ReferenceCase> {};

// Accurate integer DCT and fancy upsampling are djpeg's defaults, so the decodes are exact.
TEST_P(JpegReferenceTest, DecodesLikeDjpeg) {
  const Bitmap decoded = ReadJpegFile(TestDataPath(std::string("jpeg/") + GetParam().file));
  EXPECT_TRUE(MatchesReference(decoded, ReadPnm(TestDataPath(GetParam().reference))));
}

INSTANTIATE_TEST_SUITE_P(
    TestImages, JpegReferenceTest,
    ::testing::Values(ReferenceCase{"testorig.jpg", "jpeg/ref/testorig.djpeg.ppm"},
                      ReferenceCase{"testimgint.jpg", "jpeg/ref/testimgint.djpeg.ppm"},
                      ReferenceCase{"testimgp.jpg", "jpeg/ref/testimgint.djpeg.ppm"},
                      ReferenceCase{"testimgari.jpg", "jpeg/ref/testimgint.djpeg.ppm"},
                      ReferenceCase{"testimggray.jpg", "jpeg/ref/testimggray.djpeg.pgm"}));

struct RefusedCase {
  const char* file;
  int code;
};

class JpegRefusedFileTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(JpegRefusedFileTest, FailsWithTheDecodersCode) {
  try {
    ReadJpegFile(TestDataPath(GetParam().file));
    FAIL() << "decoded";
  } catch (const JpegError& e) {
    EXPECT_EQ(e.code(), GetParam().code);
    EXPECT_EQ(std::string(e.what()), "JPEG error #" + std::to_string(GetParam().code));
  }
}

INSTANTIATE_TEST_SUITE_P(
    DamagedFiles, JpegRefusedFileTest,
    ::testing::Values(RefusedCase{"jpeg/corrupt/truncated_jpeg.jpg", JWRN_JPEG_EOF},
                      RefusedCase{"jpeg/corrupt/derive-huffman-codes-overflow.jpg",
                                  JERR_BAD_HUFF_TABLE},
                      RefusedCase{"jpeg/corrupt/missing-sos.jpg", JERR_SOF_NO_SOS},
                      RefusedCase{"jpeg/corrupt/null_height.jpg", JERR_EMPTY_IMAGE},
                      RefusedCase{"jpeg/corrupt/max_size.jpg", JERR_IMAGE_TOO_BIG},
                      RefusedCase{"jpeg/testorig12.jpg", JERR_BAD_PRECISION},
                      RefusedCase{"bmpsuite/g/rgb24.bmp", JERR_NO_SOI}));

int DecodeErrorCode(const std::vector<std::uint8_t>& bytes) {
  try {
    DecodeJpeg(bytes.data(), bytes.size());
  } catch (const JpegError& e) {
    return e.code();
  }
  return 0;
}

TEST(JpegDecoderTest, RefusesStreamsCutOrEmpty) {
  const std::vector<std::uint8_t> whole = ReadBytes(TestDataPath("jpeg/testorig.jpg"));
  // Cut inside the entropy-coded data: the decoder would fill the rest with grey.
  EXPECT_EQ(DecodeErrorCode({whole.begin(), whole.begin() + whole.size() / 2}), JWRN_JPEG_EOF);
  // Cut inside the headers.
  EXPECT_NE(DecodeErrorCode({whole.begin(), whole.begin() + 100}), 0);
  EXPECT_EQ(DecodeErrorCode({}), JERR_INPUT_EMPTY);
  EXPECT_EQ(DecodeErrorCode({0xFF, 0xD8, 0xFF, 0xD9}), JERR_NO_IMAGE);
  // The start of a PNG: signature and the IHDR chunk of a 1 x 1 picture.
  const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0,   0, 0, 13,
                                         'I',  'H', 'D', 'R', 0,    0,    0,    1,    0,   0, 0, 1,
                                         8,    2,   0,   0,   0,    0x90, 0x77, 0x53, 0xDE};
  EXPECT_EQ(DecodeErrorCode(png), JERR_NO_SOI);
}

TEST(JpegDecoderTest, RefusesTooLargeBeforeAllocating) {
  const std::vector<std::uint8_t> file =
      ClaimSize(MakeJpeg(8, 8, std::vector<std::uint8_t>(8 * 8 * 3, 128)), 60000, 60000);
  EXPECT_THROW(DecodeJpeg(file.data(), file.size()), PictureTooLargeError);
}

// A damaged file that claims a gigabyte of pixels fails after a few rows, having committed
// memory only for those.
TEST(JpegDecoderTest, MemoryGrowsWithTheRowsDecodedNotTheClaimedSize) {
#ifdef SKELDA_SANITIZED
  GTEST_SKIP() << "the sanitizers shadow every allocation";
#endif
  const std::vector<std::uint8_t> file =
      ClaimSize(ReadBytes(TestDataPath("jpeg/testorig.jpg")), 16384, 16384);
  rusage before{}, after{};
  ::getrusage(RUSAGE_SELF, &before);
  EXPECT_THROW(DecodeJpeg(file.data(), file.size()), JpegError);
  ::getrusage(RUSAGE_SELF, &after);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 << 10);  // kilobytes
}

TEST(JpegDecoderTest, MissingFileNamesIt) {
  const std::string path = TestDataPath("jpeg/no-such-file.jpg");
  try {
    ReadJpegFile(path);
    FAIL() << "read";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
}

// Each made file holds one colour; quality 100 keeps it within a level or two.
struct MadeCase {
  const char* name;
  J_COLOR_SPACE input;
  J_COLOR_SPACE file;
  bool progressive;
  bool arithmetic;
  std::vector<std::uint8_t> sample;  // one pixel as the compressor takes it
  Color expected;
};

class JpegMadeFileTest : public ::testing::TestWithParam<MadeCase> {};

TEST_P(JpegMadeFileTest, DecodesToItsColour) {
  const MadeCase& c = GetParam();
  constexpr int kWidth = 37, kHeight = 21;  // not multiples of the block size
  std::vector<std::uint8_t> samples;
  for (int i = 0; i < kWidth * kHeight; ++i) {
    samples.insert(samples.end(), c.sample.begin(), c.sample.end());
  }
  JpegMaking making;
  making.inputSpace = c.input;
  making.fileSpace = c.file;
  making.quality = 100;
  making.progressive = c.progressive;
  making.arithmetic = c.arithmetic;
  const std::vector<std::uint8_t> file = MakeJpeg(kWidth, kHeight, samples, making);
  const Bitmap decoded = DecodeJpeg(file.data(), file.size());
  ASSERT_EQ(decoded.Format(), PixelFormat::Bit32);
  ASSERT_EQ(decoded.Width(), kWidth);
  ASSERT_EQ(decoded.Height(), kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Color got = decoded.PixelColor(x, y);
      ASSERT_NEAR(RedOf(got), RedOf(c.expected), 2) << x << "," << y;
      ASSERT_NEAR(GreenOf(got), GreenOf(c.expected), 2) << x << "," << y;
      ASSERT_NEAR(BlueOf(got), BlueOf(c.expected), 2) << x << "," << y;
      ASSERT_EQ(decoded.ScanLine(y)[4 * x + 3], 0);
    }
  }
}

// CMYK as Adobe writes it, inverted: stored 255 - ink. Ink c, m, y, k gives
// R = (255 - c)(255 - k) / 255 and so on.
INSTANTIATE_TEST_SUITE_P(
    Kinds, JpegMadeFileTest,
    ::testing::Values(
        MadeCase{"Rgb", JCS_RGB, JCS_UNKNOWN, false, false, {200, 100, 30}, RGB(200, 100, 30)},
        MadeCase{
            "Progressive", JCS_RGB, JCS_UNKNOWN, true, false, {10, 220, 140}, RGB(10, 220, 140)},
        MadeCase{"Arithmetic", JCS_RGB, JCS_UNKNOWN, false, true, {90, 90, 250}, RGB(90, 90, 250)},
        MadeCase{"Grey", JCS_GRAYSCALE, JCS_UNKNOWN, false, false, {77}, RGB(77, 77, 77)},
        // ink c 0, m 255, y 255, k 0: pure red
        MadeCase{"CmykRed", JCS_CMYK, JCS_CMYK, false, false, {255, 0, 0, 255}, RGB(255, 0, 0)},
        // ink c 51, m 102, y 0, k 51: (204 x 204, 153 x 204, 255 x 204) / 255
        MadeCase{
            "Cmyk", JCS_CMYK, JCS_CMYK, false, false, {204, 153, 255, 204}, RGB(163, 122, 204)},
        MadeCase{
            "Ycck", JCS_CMYK, JCS_YCCK, false, false, {204, 153, 255, 204}, RGB(163, 122, 204)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JpegDecoderTest, GreyAndColourOfOneSourceAgree) {
  // A grey picture stored as colour decodes to (nearly) equal channels.
  std::vector<std::uint8_t> grey(16 * 16), rgb;
  for (int i = 0; i < 256; ++i) {
    grey[i] = static_cast<std::uint8_t>(i);
    rgb.insert(rgb.end(), {grey[i], grey[i], grey[i]});
  }
  JpegMaking greyMaking;
  greyMaking.inputSpace = JCS_GRAYSCALE;
  greyMaking.quality = 100;
  JpegMaking rgbMaking;
  rgbMaking.quality = 100;
  const auto greyFile = MakeJpeg(16, 16, grey, greyMaking);
  const auto rgbFile = MakeJpeg(16, 16, rgb, rgbMaking);
  const Bitmap a = DecodeJpeg(greyFile.data(), greyFile.size());
  const Bitmap b = DecodeJpeg(rgbFile.data(), rgbFile.size());
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const Color ca = a.PixelColor(x, y), cb = b.PixelColor(x, y);
      EXPECT_EQ(RedOf(ca), GreenOf(ca));
      EXPECT_EQ(RedOf(ca), BlueOf(ca));
      EXPECT_NEAR(RedOf(ca), RedOf(cb), 3);
      EXPECT_NEAR(RedOf(ca), grey[y * 16 + x], 3);
    }
  }
}

}  // namespace
}  // namespace skelda
