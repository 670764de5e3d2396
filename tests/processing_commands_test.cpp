#include "processing/processing_commands.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "processing/error_diffusion.h"
#include "processing/kernel_diffusion.h"
#include "processing/threshold_pass.h"
#include "processing_reference.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using reference::RandomPicture;
using reference::Through24;

struct LabelCase {
  int position;
  const char* text;
};

TEST(SliderLabels, Threshold) {
  const LabelCase cases[] = {{0, "Черно-белое 0%"},    {1, "Черно-белое 0%"},
                             {2, "Черно-белое 0%"},    {3, "Черно-белое 1%"},
                             {128, "Черно-белое 50%"}, {255, "Черно-белое 99%"},
                             {256, "Черно-белое 100%"}};
  for (const LabelCase& c : cases) EXPECT_EQ(ThresholdLabel(c.position), c.text);
}

TEST(SliderLabels, Brightness) {
  const LabelCase cases[] = {{200, "Яркость 100%"}, {-200, "Яркость -100%"}, {1, "Яркость 0%"},
                             {-1, "Яркость 0%"},    {3, "Яркость 1%"},       {-3, "Яркость -1%"},
                             {0, "Яркость 0%"}};
  for (const LabelCase& c : cases) EXPECT_EQ(BrightnessLabel(c.position), c.text);
}

TEST(SliderLabels, SharpnessAndContrast) {
  EXPECT_EQ(SharpnessLabel(0), "Резкость 0%");
  EXPECT_EQ(SharpnessLabel(-100), "Резкость -100%");
  EXPECT_EQ(SharpnessLabel(37), "Резкость 37%");
  EXPECT_EQ(ContrastLabel(0), "Контрастность 0%");
  EXPECT_EQ(ContrastLabel(-5), "Контрастность -5%");
  EXPECT_EQ(ContrastLabel(100), "Контрастность 100%");
}

class Commands : public ::testing::Test {
 protected:
  void SetUp() override { ws.StartUp(RandomPicture(37, 23, PixelFormat::Bit32, 17)); }
  Bitmap Thresholded(int t) const {
    Bitmap b = ws.BaseBitmap;
    ThresholdPass(b, t);
    return b;
  }
  Bitmap Dithered() const {
    Bitmap b = ws.BaseBitmap;
    DiffusionPass(b, DiffusionRule::Fixed128());
    return b;
  }
  Workspace ws;
};

TEST_F(Commands, ThresholdStartsFromBase) {
  const Bitmap base = ws.BaseBitmap;
  ASSERT_TRUE(ToneSliderMoved(ws, ToneSlider::Brightness, 50));
  ThresholdCommand(ws, 100);
  EXPECT_EQ(ws.BwMode, kBwModeThreshold);
  EXPECT_FALSE(ws.EffectApplied);
  EXPECT_SAME_BYTES(ws.BaseBitmap, base);
  EXPECT_SAME_BYTES(ws.ShownBitmap, Thresholded(100));
}

TEST_F(Commands, ThresholdSliderRerunsTheLastConversion) {
  const Bitmap shown = ws.ShownBitmap;
  EXPECT_FALSE(ThresholdSliderMoved(ws, 90));  // no conversion since the load
  EXPECT_SAME_BYTES(ws.ShownBitmap, shown);

  ThresholdCommand(ws, 128);
  EXPECT_TRUE(ThresholdSliderMoved(ws, 60));
  EXPECT_SAME_BYTES(ws.ShownBitmap, Thresholded(60));

  DitherCommand(ws);
  EXPECT_EQ(ws.BwMode, kBwModeDither);
  EXPECT_TRUE(ws.EffectApplied);
  EXPECT_SAME_BYTES(ws.ShownBitmap, Dithered());
  EXPECT_TRUE(ThresholdSliderMoved(ws, 200));  // the dithering ignores the position
  EXPECT_SAME_BYTES(ws.ShownBitmap, Dithered());
  EXPECT_EQ(ws.BwMode, kBwModeDither);
}

// Like "Точками": BaseBitmap untouched, the slider and "Змейкой" make the picture again.
TEST_F(Commands, OtherDotMethodsAreRerunByTheSliderAndTheSerpentine) {
  const Bitmap base = ws.BaseBitmap;
  auto kernel = [&](bool serpentine) {
    Bitmap b = base;
    KernelDiffusionPass(b, kStucki, serpentine);
    return b;
  };
  EXPECT_FALSE(SerpentineCommand(ws, false));  // nothing to make again yet
  DotMethodCommand(ws, DotMethod::Stucki);
  EXPECT_EQ(ws.BwMode, kBwModeDotMethod);
  EXPECT_TRUE(ws.EffectApplied);
  EXPECT_SAME_BYTES(ws.BaseBitmap, base);
  EXPECT_SAME_BYTES(ws.ShownBitmap, kernel(false));
  EXPECT_TRUE(SerpentineCommand(ws, true));
  EXPECT_SAME_BYTES(ws.ShownBitmap, kernel(true));
  ws.ShownBitmap = base;
  EXPECT_TRUE(ThresholdSliderMoved(ws, 30));
  EXPECT_SAME_BYTES(ws.ShownBitmap, kernel(true));

  DotMethodCommand(ws, DotMethod::Bayer8);
  Bitmap screened = base;
  OrderedScreenPass(screened);
  EXPECT_SAME_BYTES(ws.ShownBitmap, screened);
  EXPECT_FALSE(SerpentineCommand(ws, false));
  EXPECT_TRUE(ThresholdSliderMoved(ws, 30));
  EXPECT_SAME_BYTES(ws.ShownBitmap, screened);
}

TEST_F(Commands, ToneSlidersInertAfterBlackAndWhite) {
  ThresholdCommand(ws, 128);
  const Bitmap shown = ws.ShownBitmap;
  EXPECT_FALSE(ToneSliderMoved(ws, ToneSlider::Sharpness, 40));
  EXPECT_FALSE(ToneSliderMoved(ws, ToneSlider::Brightness, 40));
  EXPECT_FALSE(ToneSliderMoved(ws, ToneSlider::Contrast, 40));
  EXPECT_SAME_BYTES(ws.ShownBitmap, shown);

  ws.BwMode = kBwModeNone;
  CrossCommand(ws, 2);
  const Bitmap cross = ws.ShownBitmap;
  EXPECT_FALSE(ToneSliderMoved(ws, ToneSlider::Contrast, 40));
  EXPECT_SAME_BYTES(ws.ShownBitmap, cross);

  // After a reload-like reset with BwMode 2 left over, the sliders work again.
  ws.EffectApplied = false;
  ws.BwMode = kBwModeDither;
  EXPECT_TRUE(ToneSliderMoved(ws, ToneSlider::Contrast, 40));
}

TEST_F(Commands, ToneSlidersShowOneFilterOnBase) {
  struct Case {
    ToneSlider slider;
    int position;
    void (*filter)(Bitmap&, int);
  };
  const Case cases[] = {{ToneSlider::Sharpness, 30, &reference::Sharpen},
                        {ToneSlider::Sharpness, 0, &reference::Sharpen},
                        {ToneSlider::Brightness, -70, &reference::Brightness},
                        {ToneSlider::Contrast, -49, &reference::Contrast},
                        {ToneSlider::Contrast, 0, &reference::Contrast}};
  for (const Case& c : cases) {
    ASSERT_TRUE(ToneSliderMoved(ws, c.slider, c.position));
    const Bitmap expected = Through24(ws.BaseBitmap, [&](Bitmap& b) { c.filter(b, c.position); });
    EXPECT_SAME_BYTES(ws.ShownBitmap, expected) << c.position;
  }
}

TEST_F(Commands, ApplyCommitsTheShownPicture) {
  ToneSliderMoved(ws, ToneSlider::Brightness, 30);
  const Bitmap shown = ws.ShownBitmap;
  ApplyShown(ws);
  EXPECT_SAME_BYTES(ws.BaseBitmap, shown);
  EXPECT_SAME_BYTES(ws.ShownBitmap, shown);
  EXPECT_EQ(ws.BasePixels.Bitmap_, &ws.BaseBitmap);
  // Adjustments combine only through applying.
  ToneSliderMoved(ws, ToneSlider::Brightness, 30);
  EXPECT_SAME_BYTES(ws.ShownBitmap,
                    Through24(shown, [](Bitmap& b) { reference::Brightness(b, 30); }));
}

TEST_F(Commands, DotEffectsSetEffectAppliedOnly) {
  ws.BwMode = kBwModeThreshold;
  RandomThresholdCommand(ws);
  EXPECT_TRUE(ws.EffectApplied);
  EXPECT_EQ(ws.BwMode, kBwModeThreshold);
  ws.EffectApplied = false;
  RandomDitherCommand(ws);
  EXPECT_TRUE(ws.EffectApplied);
  for (int n = 1; n <= 4; ++n) {
    ws.EffectApplied = false;
    CrossCommand(ws, n);
    EXPECT_TRUE(ws.EffectApplied);
    EXPECT_EQ(ws.BwMode, kBwModeThreshold);
  }
  EXPECT_EQ(ws.PictureWidth, 37);
  EXPECT_EQ(ws.PictureHeight, 23);
}

TEST_F(Commands, CrossCommandsRunTheirMatrices) {
  const ThresholdMatrix* matrices[] = {&T2, &T3, &T4};
  for (int n = 1; n <= 3; ++n) {
    CrossCommand(ws, n);
    Bitmap expected = ws.BaseBitmap;
    MatrixThresholdPass(expected, *matrices[n - 1]);
    EXPECT_SAME_BYTES(ws.ShownBitmap, expected) << n;
  }
  CrossCommand(ws, 4);
  Bitmap expected = ws.BaseBitmap;
  DiffusionPass(expected, DiffusionRule::Matrix(T4));
  EXPECT_SAME_BYTES(ws.ShownBitmap, expected);
}

TEST_F(Commands, UnknownCrossChangesNothing) {
  const Bitmap shown = ws.ShownBitmap;
  EXPECT_THROW(CrossCommand(ws, 5), Error);
  EXPECT_THROW(CrossCommand(ws, 0), Error);
  EXPECT_FALSE(ws.EffectApplied);
  EXPECT_SAME_BYTES(ws.ShownBitmap, shown);
  EXPECT_THROW(ScatterCommand(ws, 0), Error);
  EXPECT_SAME_BYTES(ws.ShownBitmap, shown);
}

TEST_F(Commands, RandomEffectsRepeatAfterAFreshStart) {
  Workspace other;
  other.StartUp(ws.BaseBitmap);
  RandomThresholdCommand(ws);
  RandomThresholdCommand(other);
  EXPECT_SAME_BYTES(ws.ShownBitmap, other.ShownBitmap);
  RandomDitherCommand(ws);
  RandomDitherCommand(other);
  EXPECT_SAME_BYTES(ws.ShownBitmap, other.ShownBitmap);
  const Bitmap first = ws.ShownBitmap;
  RandomDitherCommand(ws);
  EXPECT_FALSE(ws.ShownBitmap == first);
  // A scatter reseeds from the clock: the sequences part.
  ScatterCommand(ws, 2);
  Workspace fresh;
  fresh.StartUp(ws.BaseBitmap);
  RandomThresholdCommand(ws);
  RandomThresholdCommand(fresh);
  EXPECT_FALSE(ws.ShownBitmap == fresh.ShownBitmap);
}

TEST_F(Commands, TexturesCommitTheirResult) {
  ws.BwMode = kBwModeDither;
  ws.EffectApplied = true;
  const Bitmap base = ws.BaseBitmap;
  MosaicCommand(ws);
  EXPECT_SAME_BYTES(ws.BaseBitmap, ws.ShownBitmap);
  EXPECT_EQ(ws.BasePixels.Bitmap_, &ws.ShownBitmap);
  EXPECT_SAME_BYTES(ws.ShownBitmap, Through24(base, [](Bitmap& b) { reference::Mosaic(b, 6, 6); }));
  EXPECT_EQ(ws.BwMode, kBwModeDither);
  EXPECT_TRUE(ws.EffectApplied);
  const Bitmap once = ws.ShownBitmap;
  MosaicCommand(ws);
  EXPECT_SAME_BYTES(ws.ShownBitmap, once);

  ScatterCommand(ws, 5);
  EXPECT_SAME_BYTES(ws.BaseBitmap, ws.ShownBitmap);
  EXPECT_EQ(ws.BasePixels.Bitmap_, &ws.ShownBitmap);
  EXPECT_EQ(ws.ShownBitmap.Format(), PixelFormat::Bit32);
}

TEST(CommandsOnTheStartPicture, PaletteBaseIsWidenedOnTheCopy) {
  Bitmap start(6, 4, PixelFormat::Bit8);  // grey ramp palette
  for (std::size_t i = 0; i < start.ByteSize(); ++i)
    start.Bits()[i] = static_cast<std::uint8_t>(i * 11);
  Workspace ws;
  ws.StartUp(start);
  Bitmap wide = start;
  wide.SetPixelFormat(PixelFormat::Bit32);

  ThresholdCommand(ws, 128);
  EXPECT_EQ(ws.ShownBitmap.Format(), PixelFormat::Bit32);
  EXPECT_EQ(ws.BaseBitmap.Format(), PixelFormat::Bit8);
  Bitmap expected = wide;
  ThresholdPass(expected, 128);
  EXPECT_SAME_BYTES(ws.ShownBitmap, expected);

  DitherCommand(ws);
  expected = wide;
  DiffusionPass(expected, DiffusionRule::Fixed128());
  EXPECT_SAME_BYTES(ws.ShownBitmap, expected);

  ws.EffectApplied = false;
  ws.BwMode = kBwModeNone;
  ASSERT_TRUE(ToneSliderMoved(ws, ToneSlider::Sharpness, 50));
  EXPECT_SAME_BYTES(ws.ShownBitmap, Through24(start, [](Bitmap& b) { reference::Sharpen(b, 50); }));

  MosaicCommand(ws);
  EXPECT_EQ(ws.BaseBitmap.Format(), PixelFormat::Bit32);
  EXPECT_SAME_BYTES(ws.ShownBitmap,
                    Through24(start, [](Bitmap& b) { reference::Mosaic(b, 6, 6); }));
}

}  // namespace
}  // namespace skelda
