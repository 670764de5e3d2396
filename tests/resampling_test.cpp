#include "intake/resampling.h"

#include <gtest/gtest.h>

#include <string>

#include "core/errors.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using testing::MakePicture;
using testing::MakeUniform;

Color Pattern(int x, int y) {
  return RGB(x * 7 & 0xFF, y * 5 & 0xFF, (x + y) & 0xFF);
}

// A Workspace after a load of a width x height picture.
void Load(Workspace& ws, int width, int height) {
  ws.StartUp(MakePicture(width, height, PixelFormat::Bit32, Pattern));
}

enum class Button { Width, Height };  // btn5, btn6

std::optional<SizeFields> Press(Button button, Workspace& ws, const std::string& dot,
                                const std::string& wanted) {
  return button == Button::Width ? ResampleToWidth(ws, dot, wanted)
                                 : ResampleToHeight(ws, dot, wanted);
}

struct SizeCase {
  const char* name;
  int width, height;
  const char* dot;
  Button button;
  const char* wanted;
  int newWidth, newHeight;
  SizeFields fields;  // edt2, edt3, edt5, edt6
};

class ResampleSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ResampleSizeTest, GivesTheSizeAndTheFields) {
  const SizeCase& c = GetParam();
  Workspace ws;
  Load(ws, c.width, c.height);
  const std::optional<SizeFields> fields = Press(c.button, ws, c.dot, c.wanted);
  ASSERT_TRUE(fields.has_value());
  EXPECT_EQ(*fields, c.fields);
  EXPECT_EQ(ws.BaseBitmap.Width(), c.newWidth);
  EXPECT_EQ(ws.BaseBitmap.Height(), c.newHeight);
  EXPECT_EQ(ws.BaseBitmap.Format(), PixelFormat::Bit32);
  EXPECT_EQ(ws.ShownBitmap, ws.BaseBitmap);
  EXPECT_EQ(ws.BasePixels.Bitmap_, &ws.BaseBitmap);
  EXPECT_EQ(ws.BasePixels.Width, c.newWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ResampleSizeTest,
    ::testing::Values(
        SizeCase{"Width100",
                 640,
                 480,
                 "0.2",
                 Button::Width,
                 "100",
                 500,
                 375,
                 {"100", "75", "500", "375"}},
        SizeCase{"Height48",
                 640,
                 480,
                 "0.2",
                 Button::Height,
                 "48",
                 320,
                 240,
                 {"64", "48", "320", "240"}},
        // 187.69 rounds to 188; the mm field comes back from the rounded count
        SizeCase{"OddSize",
                 333,
                 250,
                 "0.2",
                 Button::Width,
                 "50",
                 250,
                 188,
                 {"50", "37.6", "250", "188"}},
        // 640 x 0.2 keeps the double's excess in extended precision: 640 / s lies just below
        // 7.5 (done in doubles it would be 8)
        SizeCase{
            "JustBelowHalf", 640, 480, "0.2", Button::Width, "1.5", 7, 6, {"1.4", "1.2", "7", "6"}},
        // the wanted size read in extended precision: 5.5 falls just below (doubles give 6)
        SizeCase{"WantedInExtended",
                 640,
                 480,
                 "0.2",
                 Button::Width,
                 "1.1",
                 5,
                 4,
                 {"1", "0.8", "5", "4"}},
        // exact halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4
        SizeCase{"HalfDown", 8, 5, "1", Button::Width, "4", 4, 2, {"4", "2", "4", "2"}},
        SizeCase{"HalfUp", 8, 7, "1", Button::Width, "4", 4, 4, {"4", "4", "4", "4"}},
        SizeCase{"Enlarge", 10, 4, "0.5", Button::Height, "6", 30, 12, {"15", "6", "30", "12"}},
        SizeCase{"Unchanged",
                 640,
                 480,
                 "0.2",
                 Button::Width,
                 "128",
                 640,
                 480,
                 {"128", "96", "640", "480"}},
        SizeCase{"SpacesAroundNumbers",
                 640,
                 480,
                 " 0.2 ",
                 Button::Width,
                 " 100 ",
                 500,
                 375,
                 {"100", "75", "500", "375"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  Button button;
  const char* dot;
  const char* wanted;
  const char* message;  // empty: the command ends silently
};

class ResampleRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ResampleRefusalTest, ChangesNothing) {
  const RefusalCase& c = GetParam();
  Workspace ws;
  Load(ws, 640, 480);
  ws.ShownBitmap = MakeUniform(20, 10, RGB(1, 2, 3));
  const Bitmap base = ws.BaseBitmap, shown = ws.ShownBitmap;
  if (std::string(c.message).empty()) {
    EXPECT_FALSE(Press(c.button, ws, c.dot, c.wanted).has_value());
  } else {
    try {
      Press(c.button, ws, c.dot, c.wanted);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
  EXPECT_EQ(ws.BaseBitmap, base);
  EXPECT_EQ(ws.ShownBitmap, shown);
  EXPECT_EQ(ws.BasePixels.Bitmap_, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ResampleRefusalTest,
    ::testing::Values(
        RefusalCase{"DotEmpty", Button::Width, "", "100", ""},
        RefusalCase{"DotEmptyBeforeBadWanted", Button::Height, "", "abc", ""},
        RefusalCase{"WantedEmpty", Button::Width, "0.2", "", ""},
        RefusalCase{"HeightEmpty", Button::Height, "0.2", "", ""},
        RefusalCase{"DotNotANumber", Button::Width, "0,2", "100",
                    "'0,2' is not a valid floating point value"},
        // the dot size is converted before the axis field is looked at
        RefusalCase{"DotNotANumberWantedEmpty", Button::Width, "x", "",
                    "'x' is not a valid floating point value"},
        RefusalCase{"WantedNotANumber", Button::Height, "0.2", "12mm",
                    "'12mm' is not a valid floating point value"},
        RefusalCase{"WantedZero", Button::Width, "0.2", "0", "Floating point division by zero"},
        RefusalCase{"BothZero", Button::Width, "0", "0", "Invalid floating point operation"},
        RefusalCase{"DotZero", Button::Height, "0", "50", "Floating point division by zero"},
        RefusalCase{"RoundsToNoDots", Button::Width, "0.2", "0.05",
                    "A size of 0.05 mm with a dot size of 0.2 mm gives a picture of 0 x 0 dots"},
        RefusalCase{"HeightRoundsToNoDots", Button::Width, "1", "0.6",
                    "A size of 0.6 mm with a dot size of 1 mm gives a picture of 1 x 0 dots"},
        RefusalCase{"Negative", Button::Width, "0.2", "-100",
                    "A size of -100 mm with a dot size of 0.2 mm gives a picture of -500 x -375 "
                    "dots"},
        RefusalCase{"NegativeDot", Button::Height, "-0.2", "48",
                    "A size of 48 mm with a dot size of -0.2 mm gives a picture of -320 x -240 "
                    "dots"},
        RefusalCase{"TooLarge", Button::Width, "0.2", "1e7",
                    "The picture of 50000000 x 37500000 dots is too large to hold"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResampleTest, ScalesTheShownPictureAtTheSizeOfTheBase) {
  Workspace ws;
  Load(ws, 640, 480);
  // A black-and-white result of another size stands in ShownBitmap: it is what gets scaled.
  ws.ShownBitmap = MakeUniform(100, 10, RGB(255, 255, 255), PixelFormat::Bit24);
  const auto fields = ResampleToWidth(ws, "0.2", "100");
  ASSERT_TRUE(fields.has_value());
  EXPECT_BITMAP_EQ(ws.BaseBitmap, MakeUniform(500, 375, RGB(255, 255, 255)));
  EXPECT_EQ(ws.BaseBitmap.Format(), PixelFormat::Bit32);
  EXPECT_EQ(ws.ShownBitmap, ws.BaseBitmap);
}

TEST(ResampleTest, StartPictureBecomes32Bit) {
  Workspace ws;
  Bitmap start = MakeUniform(590, 465, RGB(255, 255, 255), PixelFormat::Bit8);
  ws.StartUp(start);
  ASSERT_TRUE(ResampleToHeight(ws, "0.2", "46.5").has_value());
  EXPECT_EQ(ws.BaseBitmap.Format(), PixelFormat::Bit32);
  // 465 / 2 = 232.5 goes to the even 232
  EXPECT_BITMAP_EQ(ws.BaseBitmap, MakeUniform(295, 232, RGB(255, 255, 255)));
}

TEST(ResampleTest, HalvingAveragesPairs) {
  Workspace ws;
  ws.StartUp(MakePicture(4, 2, PixelFormat::Bit32,
                         [](int x, int y) { return RGB(x * 60, y * 100, 255 - x * 10); }));
  ASSERT_TRUE(ResampleToWidth(ws, "1", "2").has_value());
  // (0,0),(1,0),(0,1),(1,1): red 0,60,0,60 -> 30; green 0,0,100,100 -> 50; blue 255,245 -> 250
  // (2..3): red 120,180 -> 150; blue 235,225 -> 230
  EXPECT_BITMAP_EQ(ws.BaseBitmap, MakePicture(2, 1, PixelFormat::Bit32, [](int x, int) {
                     return x == 0 ? RGB(30, 50, 250) : RGB(150, 50, 230);
                   }));
}

}  // namespace
}  // namespace skelda
