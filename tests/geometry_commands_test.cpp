#include "geometry/geometry_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "core/errors.h"
#include "geometry/orientation.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using testing::MakePicture;

Color Grey(int x, int y) {
  const auto v = static_cast<std::uint8_t>(x * 20 + y * 7);
  return RGB(v, v / 2, 255 - v);
}

// What a threshold conversion leaves in ShownBitmap: black and white only.
Color BlackWhite(int x, int y) {
  return (x + y) % 3 ? kWhite : kBlack;
}

constexpr int kW = 7, kH = 5;

void LoadPicture(Workspace& ws) {
  ws.StartUp(MakePicture(kW, kH, PixelFormat::Bit32, Grey));
}

// The picture as the start-up leaves it: 8 bits with a palette.
void LoadStartPicture(Workspace& ws) {
  Bitmap logo(kW, kH, PixelFormat::Bit8);  // grey ramp palette
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) logo.ScanLine(y)[x] = static_cast<std::uint8_t>(x * 30 + y);
  ws.StartUp(logo);
}

void ExpectFourthBytes(const Bitmap& b, std::uint8_t value) {
  ASSERT_EQ(b.Format(), PixelFormat::Bit32);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) ASSERT_EQ(b.ScanLine(y)[4 * x + 3], value) << x << "," << y;
}

TEST(MirrorCommand, StartsFromBaseAndCommitsToBoth) {
  Workspace ws;
  LoadPicture(ws);
  ws.ShownBitmap = MakePicture(kW, kH, PixelFormat::Bit32, BlackWhite);  // not applied
  MirrorCommand(ws, true);
  const Bitmap expected =
      MakePicture(kW, kH, PixelFormat::Bit32, [](int x, int y) { return Grey(kW - 1 - x, y); });
  EXPECT_BITMAP_EQ(ws.ShownBitmap, expected);
  EXPECT_EQ(ws.ShownBitmap.Format(), PixelFormat::Bit32);
  EXPECT_EQ(ws.BaseBitmap, ws.ShownBitmap);
  EXPECT_EQ(ws.BasePixels.Bitmap_, &ws.ShownBitmap);
  EXPECT_EQ(ws.BasePixels.Width, kW);

  MirrorCommand(ws, false);
  EXPECT_BITMAP_EQ(ws.ShownBitmap, MakePicture(kW, kH, PixelFormat::Bit32, [](int x, int y) {
                     return Grey(kW - 1 - x, kH - 1 - y);
                   }));
}

TEST(MirrorCommand, ClearsTheFourthByte) {
  Workspace ws;
  LoadPicture(ws);
  for (std::size_t i = 3; i < ws.BaseBitmap.ByteSize(); i += 4) ws.BaseBitmap.Bits()[i] = 0x5A;
  MirrorCommand(ws, true);
  ExpectFourthBytes(ws.ShownBitmap, 0);
}

TEST(RotateCommand, ClockwiseThenCounterClockwiseGivesThePictureBack) {
  Workspace ws;
  LoadPicture(ws);
  const Bitmap original = ws.BaseBitmap;
  RotateCommand(ws, 90.0);
  EXPECT_EQ(ws.ShownBitmap.Width(), kH);
  EXPECT_EQ(ws.ShownBitmap.Height(), kW);
  EXPECT_EQ(ws.ShownBitmap.PixelColor(0, 0), Grey(0, kH - 1));
  EXPECT_EQ(ws.BaseBitmap, ws.ShownBitmap);
  EXPECT_EQ(ws.BasePixels.Bitmap_, &ws.ShownBitmap);
  EXPECT_EQ(ws.BasePixels.Width, kH);
  EXPECT_EQ(ws.BasePixels.Height, kW);
  RotateCommand(ws, -90.0);
  EXPECT_EQ(ws.ShownBitmap, original);
  EXPECT_EQ(ws.BaseBitmap, original);
}

TEST(RotateCommand, FourClockwiseTurnsGiveThePictureBack) {
  Workspace ws;
  LoadPicture(ws);
  const Bitmap original = ws.BaseBitmap;
  for (int i = 0; i < 4; ++i) RotateCommand(ws, 90.0);
  EXPECT_EQ(ws.ShownBitmap, original);
  EXPECT_EQ(ws.BaseBitmap, original);
}

TEST(RotateCommand, NonFiniteAngleChangesNothing) {
  Workspace ws;
  LoadPicture(ws);
  ws.ShownBitmap = MakePicture(kW, kH, PixelFormat::Bit32, BlackWhite);
  const Bitmap base = ws.BaseBitmap, shown = ws.ShownBitmap;
  EXPECT_THROW(RotateCommand(ws, std::nan("")), InvalidOpError);
  EXPECT_EQ(ws.BaseBitmap, base);
  EXPECT_EQ(ws.ShownBitmap, shown);
  EXPECT_EQ(ws.BasePixels.Bitmap_, nullptr);
}

TEST(InvertCommand, StartsFromShownAndKeepsItAsBase) {
  Workspace ws;
  LoadPicture(ws);
  const Bitmap shown = MakePicture(kW, kH, PixelFormat::Bit32, BlackWhite);
  ws.ShownBitmap = shown;
  InvertCommand(ws);
  EXPECT_EQ(ws.BaseBitmap, shown);  // the conversion is carried over, not inverted
  EXPECT_EQ(ws.BasePixels.Bitmap_, &ws.BaseBitmap);
  EXPECT_BITMAP_EQ(ws.ShownBitmap, MakePicture(kW, kH, PixelFormat::Bit32, [](int x, int y) {
                     return BlackWhite(x, y) ^ 0xFFFFFF;
                   }));
  ExpectFourthBytes(ws.ShownBitmap, 0xFF);
}

TEST(InvertCommand, TwiceShowsThePictureAgainWhileBaseHoldsTheInvertedOne) {
  Workspace ws;
  LoadPicture(ws);
  ws.ShownBitmap.Bits()[3] = 0x12;  // a fourth byte is complemented like the others
  const Bitmap original = ws.ShownBitmap;
  InvertCommand(ws);
  EXPECT_EQ(ws.ShownBitmap.Bits()[3], 0xED);
  const Bitmap inverted = ws.ShownBitmap;
  InvertCommand(ws);
  EXPECT_EQ(ws.ShownBitmap, original);
  EXPECT_EQ(ws.BaseBitmap, inverted);

  // A mirror now starts from the inverted base.
  MirrorCommand(ws, true);
  EXPECT_BITMAP_EQ(ws.ShownBitmap, MakePicture(kW, kH, PixelFormat::Bit32, [](int x, int y) {
                     return Grey(kW - 1 - x, y) ^ 0xFFFFFF;
                   }));
}

// A 32-bit picture is transformed straight from BaseBitmap into ShownBitmap; that must give
// every byte that the conversion to 24 bits, the routine and the conversion back give.
TEST(GeometryCommands, LoadedPictureGivesWhatTheTripThrough24BitsGives) {
  struct Case {
    const char* name;
    void (*command)(Workspace&);
    void (*routine)(Bitmap&);
  };
  const Case cases[] = {
      {"mirror x", [](Workspace& ws) { MirrorCommand(ws, true); },
       [](Bitmap& b) { MirrorBitmap(b, true); }},
      {"mirror y", [](Workspace& ws) { MirrorCommand(ws, false); },
       [](Bitmap& b) { MirrorBitmap(b, false); }},
      {"rotate 90", [](Workspace& ws) { RotateCommand(ws, 90.0); },
       [](Bitmap& b) { RotateBitmap(b, kWhite, 90.0); }},
      {"rotate -90", [](Workspace& ws) { RotateCommand(ws, -90.0); },
       [](Bitmap& b) { RotateBitmap(b, kWhite, -90.0); }},
      {"rotate 180", [](Workspace& ws) { RotateCommand(ws, 180.0); },
       [](Bitmap& b) { RotateBitmap(b, kWhite, 180.0); }},
      {"rotate 45", [](Workspace& ws) { RotateCommand(ws, 45.0); },
       [](Bitmap& b) { RotateBitmap(b, kWhite, 45.0); }},
  };
  const int sizes[][2] = {{1, 2}, {2, 1}, {5, 3}, {8, 8}, {67, 130}, {131, 9}};
  for (const Case& c : cases) {
    for (const auto& size : sizes) {
      SCOPED_TRACE(::testing::Message() << c.name << " " << size[0] << "x" << size[1]);
      Bitmap base = MakePicture(size[0], size[1], PixelFormat::Bit32, Grey);
      for (std::size_t i = 3; i < base.ByteSize(); i += 4) base.Bits()[i] = 0xA5;
      base.SetPalette({{1, 2, 3, 0}});  // a stray palette is dropped like the fourth byte
      Workspace ws;
      ws.StartUp(base);
      ws.ShownBitmap = MakePicture(3, 4, PixelFormat::Bit32, BlackWhite);  // another size
      c.command(ws);
      Bitmap expected = base;
      c.routine(expected);
      ConvertTo32(expected);
      EXPECT_EQ(ws.ShownBitmap, expected);
      EXPECT_EQ(ws.BaseBitmap, expected);
      EXPECT_EQ(ws.BasePixels.Bitmap_, &ws.ShownBitmap);
      EXPECT_EQ(ws.BasePixels.Width, expected.Width());
    }
  }
}

TEST(GeometryCommands, StartPictureEndsIn32Bits) {
  struct Case {
    const char* name;
    void (*run)(Workspace&);
    int width;
  };
  const Case cases[] = {
      {"mirror x", [](Workspace& ws) { MirrorCommand(ws, true); }, kW},
      {"mirror y", [](Workspace& ws) { MirrorCommand(ws, false); }, kW},
      {"rotate cw", [](Workspace& ws) { RotateCommand(ws, 90.0); }, kH},
      {"rotate ccw", [](Workspace& ws) { RotateCommand(ws, -90.0); }, kH},
      {"invert", [](Workspace& ws) { InvertCommand(ws); }, kW},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Workspace ws;
    LoadStartPicture(ws);
    c.run(ws);
    EXPECT_EQ(ws.ShownBitmap.Format(), PixelFormat::Bit32);
    EXPECT_EQ(ws.BaseBitmap.Format(), PixelFormat::Bit32);
    EXPECT_EQ(ws.ShownBitmap.Width(), c.width);
    EXPECT_EQ(ws.BasePixels.BitsPerPixel, 32);
  }
  // The palette colours survive: the grey of index 30 * 6 + 4 at the far corner.
  Workspace ws;
  LoadStartPicture(ws);
  MirrorCommand(ws, true);
  EXPECT_EQ(ws.ShownBitmap.PixelColor(0, kH - 1), RGB(184, 184, 184));
  Workspace inv;
  LoadStartPicture(inv);
  InvertCommand(inv);
  EXPECT_EQ(inv.BaseBitmap.PixelColor(kW - 1, kH - 1), RGB(184, 184, 184));
  EXPECT_EQ(inv.ShownBitmap.PixelColor(kW - 1, kH - 1), RGB(71, 71, 71));
}

}  // namespace
}  // namespace skelda
