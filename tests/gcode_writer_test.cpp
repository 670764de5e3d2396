#include "gcode/gcode_writer.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <utility>

#include "core/errors.h"
#include "gcode_test_support.h"

namespace skelda {
namespace {

using testing::DotMode;
using testing::DrawPicture;
using testing::LineMode;
using testing::WriteProgram;

TEST(GcodeWriter, TheFifteenLineExample) {
  const auto p = WriteProgram(DrawPicture({"....", "#..."}), LineMode(0.5, 300));
  EXPECT_PROGRAM(p.lines, "%", "G90", "G0X0Y0", "G1F300", "G0X0", "M3", "G1X0.5", "M5", "M5",
                 "G0Y0.5", "G0Y1", "M5", "G0X0Y0", "M2", "%");
  EXPECT_EQ(p.count, 2u);
}

TEST(GcodeWriter, AllWhitePictureInLineMode) {
  const auto p = WriteProgram(DrawPicture({"...", "...", "..."}), LineMode(0.2));
  EXPECT_PROGRAM(p.lines, "%", "G90", "G0X0Y0", "G1F300", "G0Y0.2", "G0Y0.4", "G0Y0.6", "M5",
                 "G0X0Y0", "M2", "%");
  EXPECT_EQ(p.count, 0u);
}

TEST(GcodeWriter, AllWhitePictureInDotMode) {
  const auto p = WriteProgram(DrawPicture({"...", "...", "..."}), DotMode(0.2));
  EXPECT_PROGRAM(p.lines, "%", "G0X0Y0", "G5P1", "M40", "Y0.2", "Y0.4", "Y0.6", "X0Y0", "M2", "%");
  EXPECT_EQ(p.count, 0u);
}

// Forward passes enter a run at its left edge and leave at its right edge; reverse passes enter
// at the right edge and leave at the left; a run reaching the end of a pass closes at the
// picture's edge.
TEST(GcodeWriter, RunsAtTheFirstAndLastColumnOfForwardAndReversePasses) {
  const auto p = WriteProgram(DrawPicture({"#..#",    // pass 3, forward
                                           "#.##",    // pass 2, reverse
                                           "##.#"}),  // pass 1, forward
                              LineMode(1));
  EXPECT_PROGRAM(p.lines, "%", "G90", "G0X0Y0", "G1F300",                         //
                 "G0X0", "M3", "G1X2", "M5", "G0X3", "M3", "G1X4", "M5", "G0Y1",  //
                 "G0X4", "M3", "G1X2", "M5", "G0X1", "M3", "G1X0", "M5", "G0Y2",  //
                 "G0X0", "M3", "G1X1", "M5", "G0X3", "M3", "G1X4", "M5", "G0Y3",  //
                 "M5", "G0X0Y0", "M2", "%");
  EXPECT_EQ(p.count, 12u);
}

TEST(GcodeWriter, SingleDotRunsAtTheEndOfAPassCloseAtTheEdge) {
  const auto p = WriteProgram(DrawPicture({"#....", "....#"}), LineMode(0.5));
  EXPECT_PROGRAM(p.lines, "%", "G90", "G0X0Y0", "G1F300",  //
                 "G0X2", "M3", "G1X2.5", "M5", "G0Y0.5",   //
                 "G0X0.5", "M3", "G1X0", "M5", "G0Y1",     //
                 "M5", "G0X0Y0", "M2", "%");
  EXPECT_EQ(p.count, 4u);
}

TEST(GcodeWriter, RunsEndingBeforeTheEndOfAPassAreSwitchedOffThere) {
  const auto p = WriteProgram(DrawPicture({".##..", "####."}), LineMode(0.5));
  EXPECT_PROGRAM(p.lines, "%", "G90", "G0X0Y0", "G1F300",       //
                 "G0X0", "M3", "G1X2", "M5", "M5", "G0Y0.5",    //
                 "G0X1.5", "M3", "G1X0.5", "M5", "M5", "G0Y1",  //
                 "M5", "G0X0Y0", "M2", "%");
  EXPECT_EQ(p.count, 4u);
}

TEST(GcodeWriter, DotModeWritesEveryBlackDotAtItsColumnInBothDirections) {
  const auto p = WriteProgram(DrawPicture({"#..#", "#.##", "##.#"}), DotMode(1));
  EXPECT_PROGRAM(p.lines, "%", "G0X0Y0", "G5P1", "M40",  //
                 "X0", "X1", "X3", "Y1",                 //
                 "X3", "X2", "X0", "Y2",                 //
                 "X0", "X3", "Y3",                       //
                 "X0Y0", "M2", "%");
  EXPECT_EQ(p.count, 8u);
}

TEST(GcodeWriter, TenthsOfAMillimetrePrintAsShortDecimals) {
  const std::vector<std::string> rows = {"............", "...#......#."};
  const auto dots = WriteProgram(DrawPicture(rows), DotMode(0.1));
  EXPECT_PROGRAM(dots.lines, "%", "G0X0Y0", "G5P1", "M40", "X0.3", "X1", "Y0.1", "Y0.2", "X0Y0",
                 "M2", "%");
  const auto lines = WriteProgram(DrawPicture(rows), LineMode(0.1));
  EXPECT_PROGRAM(lines.lines, "%", "G90", "G0X0Y0", "G1F300",                                   //
                 "G0X0.3", "M3", "G1X0.4", "M5", "G0X1", "M3", "G1X1.1", "M5", "M5", "G0Y0.1",  //
                 "G0Y0.2", "M5", "G0X0Y0", "M2", "%");
}

TEST(GcodeWriter, FeedAndBurnTimeGoIntoTheHeader) {
  const Bitmap picture = DrawPicture({"..", ".."});
  EXPECT_EQ(WriteProgram(picture, LineMode(0.2, 1250)).lines.at(3), "G1F1250");
  EXPECT_EQ(WriteProgram(picture, DotMode(0.2, "2.50")).lines.at(2), "G5P2.50");
}

TEST(GcodeWriter, OnlyExactBlackIsBurnt) {
  Bitmap b(5, 2, PixelFormat::Bit32);
  b.FillRect(0, 0, 5, 2, kWhite);
  const Color bottom[] = {kBlack, 0x000001, 0x010000, 0x000100, kBlack};
  for (int x = 0; x < 5; ++x) b.SetPixelColor(x, 1, bottom[x]);
  const auto p = WriteProgram(b, DotMode(1));
  EXPECT_PROGRAM(p.lines, "%", "G0X0Y0", "G5P1", "M40", "X0", "X4", "Y1", "Y2", "X0Y0", "M2", "%");
}

TEST(GcodeWriter, PalettePicturesAreReadThroughTheirPalette) {
  for (PixelFormat format : {PixelFormat::Bit8, PixelFormat::Bit4, PixelFormat::Bit1}) {
    Bitmap b(3, 2, format);
    b.SetPalette({{255, 255, 255, 0}, {0, 0, 0, 0}});
    b.SetPixelColor(2, 1, kBlack);
    b.SetPixelColor(0, 0, kBlack);
    const auto p = WriteProgram(b, DotMode(0.5));
    EXPECT_PROGRAM(p.lines, "%", "G0X0Y0", "G5P1", "M40", "X1", "Y0.5", "X0", "Y1", "X0Y0", "M2",
                   "%");
  }
}

TEST(GcodeWriter, TooLargeCoordinatesAreRefusedBeforeAnythingIsWritten) {
  Bitmap picture = DrawPicture({"#.........", ".........#"});
  TQuickPixels pixels;
  pixels.Attach(picture);
  for (const auto& settings : {DotMode(1e14), LineMode(1e14), DotMode(1e-6), LineMode(0)}) {
    StringSink sink;
    EXPECT_THROW(WriteGcodeProgram(pixels, settings, sink), Error);
    EXPECT_EQ(sink.text, "");
  }
  StringSink sink;
  EXPECT_NO_THROW(WriteGcodeProgram(pixels, DotMode(99999999999999), sink));  // 9 × d < 10^15
}

TEST(GcodeWriter, AFailingStreamIsAWriteError) {
  Bitmap picture = DrawPicture({"#.", ".#"});
  TQuickPixels pixels;
  pixels.Attach(picture);
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  EXPECT_THROW(WriteGcodeProgram(pixels, DotMode(1), out, "x.nc"), FileError);
}

// A picture larger than one output block: replaying the program must burn exactly the black
// dots, and the counter must match the lines.
class Replay {
 public:
  explicit Replay(int height) : height_(height) {}
  std::set<std::pair<int, int>> burnt;
  void LineProgram(const std::vector<std::string>& lines) {
    int row = 0, start = -1;
    for (std::size_t i = 4; i + 4 < lines.size(); ++i) {
      const std::string& l = lines[i];
      if (l.rfind("G0X", 0) == 0) start = std::stoi(l.substr(3));
      if (l.rfind("G1X", 0) == 0) {
        const int end = std::stoi(l.substr(3));
        for (int x = std::min(start, end); x < std::max(start, end); ++x)
          burnt.insert({x, height_ - 1 - row});
      }
      if (l.rfind("G0Y", 0) == 0) ++row;
    }
  }
  void DotProgram(const std::vector<std::string>& lines) {
    int row = 0;
    for (std::size_t i = 4; i + 3 < lines.size(); ++i) {
      if (lines[i][0] == 'X') burnt.insert({std::stoi(lines[i].substr(1)), height_ - 1 - row});
      if (lines[i][0] == 'Y') ++row;
    }
  }

 private:
  int height_;
};

TEST(GcodeWriter, ReplayedProgramsBurnExactlyTheBlackDots) {
  const int w = 1500, h = 301;  // odd height: the last pass is forward
  std::vector<std::string> rows(h, std::string(w, '.'));
  std::set<std::pair<int, int>> black;
  std::uint64_t runs = 0;
  std::uint32_t state = 12345;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      state = state * 1103515245u + 12345u;
      if ((state >> 16) % 3 == 0) {
        rows[y][x] = '#';
        black.insert({x, y});
        if (x == 0 || rows[y][x - 1] != '#') ++runs;
      }
    }
  }
  const Bitmap picture = DrawPicture(rows);

  const auto lines = WriteProgram(picture, LineMode(1));
  Replay lineReplay(h);
  lineReplay.LineProgram(lines.lines);
  EXPECT_TRUE(lineReplay.burnt == black);
  EXPECT_EQ(lines.count, 2 * runs);
  std::size_t passesEndingOff = 0;  // each writes an extra "M5" before its "G0Y"
  for (int y = 0; y < h; ++y) {
    const bool forward = (h - y) % 2 == 1;
    const bool hasBlack = rows[y].find('#') != std::string::npos;
    if (hasBlack && rows[y][forward ? w - 1 : 0] != '#') ++passesEndingOff;
  }
  EXPECT_EQ(lines.lines.size(), 8 + 4 * runs + h + passesEndingOff);

  const auto dots = WriteProgram(picture, DotMode(1));
  Replay dotReplay(h);
  dotReplay.DotProgram(dots.lines);
  EXPECT_TRUE(dotReplay.burnt == black);
  EXPECT_EQ(dots.count, black.size());
  EXPECT_EQ(dots.lines.size(), 4 + black.size() + h + 3);
}

}  // namespace
}  // namespace skelda
