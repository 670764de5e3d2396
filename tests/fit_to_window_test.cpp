#include "intake/fit_to_window.h"

#include <gtest/gtest.h>

#include <string>

#include "core/errors.h"
#include "intake/area_resample.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using testing::MakeUniform;

struct FitCase {
  int shownWidth, shownHeight;
  int availW, availH;
  int newWidth, newHeight;
};

class FitToWindowTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitToWindowTest, ScalesTheShownSizeWithBasePixels) {
  const FitCase& c = GetParam();
  Workspace ws;
  ws.StartUp(MakeUniform(40, 30, RGB(200, 10, 10)));
  ws.ShownBitmap = MakeUniform(c.shownWidth, c.shownHeight, RGB(0, 0, 255));
  ASSERT_TRUE(FitToWindow(ws, "0.2", c.availW, c.availH));
  EXPECT_BITMAP_EQ(ws.ShownBitmap, MakeUniform(c.newWidth, c.newHeight, RGB(200, 10, 10)));
  EXPECT_EQ(ws.BaseBitmap.Width(), 40);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FitToWindowTest,
                         ::testing::Values(FitCase{1000, 500, 800, 600, 800, 400},
                                           FitCase{100, 50, 800, 600, 800, 400},
                                           FitCase{300, 900, 800, 600, 200, 600},
                                           FitCase{1000, 500, 700, 437, 700, 350},
                                           FitCase{40, 30, 40, 30, 40, 30},
                                           // a side that would round to 0 keeps one dot
                                           FitCase{10000, 1, 800, 600, 800, 1}));

TEST(FitToWindowTest, KeepsThePixelFormatOfTheShownPicture) {
  Workspace ws;
  ws.StartUp(MakeUniform(59, 46, kWhite, PixelFormat::Bit8));
  ASSERT_TRUE(FitToWindow(ws, "0.2", 118, 100));
  EXPECT_EQ(ws.ShownBitmap.Format(), PixelFormat::Bit8);
  EXPECT_BITMAP_EQ(ws.ShownBitmap, MakeUniform(118, 92, kWhite));
}

// The fit as a copy of the shown picture cut to the new size and resampled over: the same
// bitmap, every byte and the palette, whatever format the shown picture is in.
Bitmap FittedByCopy(const Workspace& ws, int width, int height) {
  Bitmap fitted = ws.ShownBitmap;
  fitted.SetSize(width, height);
  AreaResample(ws.BaseBitmap, fitted);
  return fitted;
}

TEST(FitToWindowTest, EqualsTheShownPictureCutAndResampled) {
  const Bitmap base = testing::MakePicture(97, 61, PixelFormat::Bit32, [](int x, int y) {
    return RGB((x * 37) & 0xFF, (y * 11) & 0xFF, ((x ^ y) * 5) & 0xFF);
  });
  Bitmap custom(50, 40, PixelFormat::Bit32);
  custom.SetCustomLayout({32, kCompressionBitFields, 0x3FF00000, 0x000FFC00, 0x000003FF});
  Bitmap darkPalette = testing::MakeUniform(50, 40, kBlack, PixelFormat::Bit4);
  darkPalette.SetPalette({{0, 0, 0, 0}, {90, 20, 20, 0}, {20, 90, 20, 0}, {250, 250, 250, 0}});
  const Bitmap shownPictures[] = {testing::MakeUniform(50, 40, kWhite, PixelFormat::Bit24),
                                  testing::MakeUniform(50, 40, kWhite, PixelFormat::Bit16),
                                  testing::MakeUniform(50, 40, kWhite, PixelFormat::Bit8),
                                  testing::MakeUniform(50, 40, kWhite, PixelFormat::Bit1),
                                  darkPalette,
                                  custom,
                                  testing::MakeUniform(50, 40, kWhite, PixelFormat::Bit32)};
  for (const Bitmap& shown : shownPictures) {
    Workspace ws;
    ws.StartUp(base);
    ws.ShownBitmap = shown;
    const Bitmap expected = FittedByCopy(ws, 120, 96);
    ASSERT_TRUE(FitToWindow(ws, "0.2", 120, 100));
    EXPECT_EQ(ws.ShownBitmap, expected) << "shown format " << int(shown.Format());
  }
}

TEST(FitToWindowTest, EmptyOrBadDotSizeChangesNothing) {
  Workspace ws;
  ws.StartUp(MakeUniform(40, 30, RGB(200, 10, 10)));
  ws.ShownBitmap = MakeUniform(20, 10, kBlack);
  const Bitmap shown = ws.ShownBitmap;
  EXPECT_FALSE(FitToWindow(ws, "", 800, 600));
  EXPECT_EQ(ws.ShownBitmap, shown);
  try {
    FitToWindow(ws, "abc", 800, 600);
    ADD_FAILURE() << "no error";
  } catch (const ConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "'abc' is not a valid floating point value");
  }
  EXPECT_EQ(ws.ShownBitmap, shown);
  // A window with no room for the picture.
  EXPECT_FALSE(FitToWindow(ws, "0.2", 0, 600));
  EXPECT_FALSE(FitToWindow(ws, "0.2", 800, -20));
  EXPECT_EQ(ws.ShownBitmap, shown);
}

}  // namespace
}  // namespace skelda
