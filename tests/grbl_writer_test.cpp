#include "gcode/grbl_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "gcode/frame_program.h"
#include "gcode/grbl_number.h"
#include "gcode/test_grid.h"
#include "gcode_test_support.h"
#include "support/error_text.h"

namespace skelda {
namespace {

using testing::DrawPicture;
using testing::ErrorText;
using testing::Joined;

GcodeSettings Grbl(double dot, bool lines, MachineProfile m = {}) {
  GcodeSettings s;
  s.dot = dot;
  s.lineMode = lines;
  s.machine = m;
  s.machine.machine = Machine::Grbl;
  return s;
}

std::string Write(Bitmap picture, const GcodeSettings& s, XRange* range = nullptr) {
  TQuickPixels pixels;
  pixels.Attach(picture);
  StringSink sink;
  GcodeWriter(pixels, s).Write(sink, range);
  return sink.text;
}

// Reads a program as GRBL would and collects, per Y, the X stretches burnt with each S. Fails
// the test on any line GRBL 1.1 would refuse or on a word this writer never uses.
struct Burn {
  long long from, to, power;
  bool leftward;
  long long feed;
};
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The length of the word at line[at]: one of the letters GMXYSFP and a number of the form
// -?d+(.d{1,3})?, as long as it goes; 0 when there is none.
std::size_t WordLength(const std::string& line, std::size_t at) {
  if (at >= line.size() || std::string_view("GMXYSFP").find(line[at]) == std::string_view::npos) {
    return 0;
  }
  std::size_t end = at + 1;
  if (end < line.size() && line[end] == '-') ++end;
  const std::size_t digits = end;
  while (end < line.size() && IsDigit(line[end])) ++end;
  if (end == digits) return 0;
  if (end + 1 < line.size() && line[end] == '.' && IsDigit(line[end + 1])) {
    const std::size_t fraction = ++end;
    while (end < line.size() && end - fraction < 3 && IsDigit(line[end])) ++end;
  }
  return end - at;
}

// `idle`, if given, collects the moves along a row that burn nothing (power: 1 for G0).
std::map<long long, std::vector<Burn>> Interpret(
    const std::string& text, std::map<long long, std::vector<Burn>>* idle = {}) {
  std::map<long long, std::vector<Burn>> burns;
  long long x = 0, y = 0, s = 0, motion = 0, feed = 0;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    EXPECT_LT(line.size(), 80u) << line;
    EXPECT_EQ(line.find_first_of("%\r"), std::string::npos) << line;
    if (line.starts_with('(')) {  // a comment line, ASCII, closed once at its end
      EXPECT_EQ(line.find_first_of("()", 1), line.size() - 1) << line;
      EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) { return c >= ' '; }));
      continue;
    }
    long long nx = x;
    bool move = false;
    for (std::size_t at = 0; at < line.size(); at += line[at] == ' ' ? 1 : 0) {
      const std::size_t length = WordLength(line, at);
      if (length == 0) {
        ADD_FAILURE() << "not a GRBL word: " << line;
        break;
      }
      const long long v = ToThousandths(std::stold(line.substr(at + 1, length - 1)));
      switch (line[at]) {
        case 'G':
          EXPECT_TRUE(v == 0 || v == 1000 || v == 4000 || v == 21000 || v == 90000) << line;
          if (v <= 1000) motion = v;
          break;
        case 'M':
          EXPECT_TRUE(v == 2000 || v == 3000 || v == 4000 || v == 5000) << line;
          break;
        case 'X':
          nx = v;
          move = true;
          break;
        case 'Y':
          y = v;
          move = true;
          break;
        case 'S':
          s = v / 1000;
          break;
        case 'F':
          feed = v / 1000;
          break;
      }
      at += length;
    }
    if (move && motion == 1000 && s > 0 && nx != x) {
      burns[y].push_back({std::min(x, nx), std::max(x, nx), s, nx < x, feed});
    } else if (move && idle != nullptr && nx != x && line.find('Y') == std::string::npos) {
      (*idle)[y].push_back({std::min(x, nx), std::max(x, nx), motion == 0, nx < x, feed});
    }
    x = nx;
  }
  return burns;
}

TEST(GrblWriter, LineModeBothWaysWithOverscan) {
  MachineProfile m;
  m.overscanMm = 1;
  const auto text = Write(DrawPicture({"#.##", ".#.#", "...."}), Grbl(0.5, true, m));
  EXPECT_EQ(text,
            "G21\nG90\nM5\nM4 S0\nG1 F300\n"
            "G0X-0.5Y0.5\nG1X0.5\nX1S1000\nX1.5S0\nX2S1000\nX3S0\n"
            "G0Y1\nG1X2\nX1S1000\nX0.5S0\nX0S1000\nX-1S0\n"
            "M5\nG0 X0 Y0\nM2\n");
}

TEST(GrblWriter, OneWayGrayscaleAndScanOffset) {
  Bitmap b(3, 2, PixelFormat::Bit32);
  b.SetPixelColor(0, 0, kBlack);
  b.SetPixelColor(1, 0, kBlack);
  b.SetPixelColor(2, 0, kWhite);
  for (int c = 0; c < 3; ++c) b.SetPixelColor(c, 1, RGB(128, 128, 128));
  MachineProfile m;
  m.grayscale = true;
  m.minPower = 10;
  m.maxPower = 255;
  m.scanOffsetMm = 0.25;
  const std::string head = "G21\nG90\nM5\nM4 S0\nG1 F300\nG0X0Y0\nG1X3S132\n";
  EXPECT_EQ(Write(b, Grbl(1, true, m)),
            head + "G0X3.25Y1\nG1X2.25S10\nX0.25S255\nM5\nG0 X0 Y0\nM2\n");
  m.oneWay = true;
  EXPECT_EQ(Write(b, Grbl(1, true, m)), head + "G0X0Y1\nG1X2S255\nX3S10\nM5\nG0 X0 Y0\nM2\n");
  m.powerLevels = 2;  // 132 is nearer 10 than 255
  EXPECT_EQ(Write(b, Grbl(1, true, m)),
            "G21\nG90\nM5\nM4 S0\nG1 F300\nG0X0Y0\nG1X3S10\n"
            "G0X0Y1\nG1X2S255\nX3S10\nM5\nG0 X0 Y0\nM2\n");
}

TEST(GrblWriter, DotModeBurnsEachDotAtItsCentre) {
  GcodeSettings s = Grbl(0.5, false);
  s.burnTime = "20";
  XRange range;
  EXPECT_EQ(Write(DrawPicture({"#..", "..#"}), s, &range),
            "G21\nG90\nM5\nG1 F300\n"
            "G0 X1.25 Y0.25\nG1\nM3 S1000\nG4 P0.02\nM5\n"
            "G0 X0.25 Y0.75\nG1\nM3 S1000\nG4 P0.02\nM5\n"
            "G0 X0 Y0\nM2\n");
  EXPECT_EQ(range.high, 1250);
}

TEST(GrblWriter, RefusesBeforeWriting) {
  const struct {
    const char* burnTime;
    int maxPower, minPower;
    double overscan, dot;
    const char* message;
  } cases[] = {
      {"fast", 1000, 0, 0, 0.2, "'fast' is not a valid floating point value"},
      {"-1", 1000, 0, 0, 0.2, "The burn time -1 ms is outside 0 .. 1000000 ms"},
      {"1", 0, 0, 0, 0.2, "The power 0 is outside 1 .. 1000000"},
      {"1", 100, 101, 0, 0.2, "The minimum power 101 is outside 0 .. 100 (the power)"},
      {"1", 1000, 0, -1, 0.2, "The overscan -1 mm is outside 0 .. 1000 mm"},
      {"1", 1000, 0, 0, 0.0009,
       "The dot size 0.0009 mm is below 0.001 mm, the smallest step of a GRBL program"},
  };
  for (const auto& c : cases) {
    GcodeSettings s = Grbl(c.dot, false);
    s.burnTime = c.burnTime;
    s.machine.maxPower = c.maxPower;
    s.machine.minPower = c.minPower;
    s.machine.overscanMm = c.overscan;
    Bitmap b = DrawPicture({"#.", ".#"});
    TQuickPixels pixels;
    pixels.Attach(b);
    try {
      GcodeWriter writer(pixels, s);
      ADD_FAILURE() << "accepted " << c.message;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

// The tone curve straight from its formula in long double, rounded half to even.
int CurvePowerSlowly(int gray, int minPower, int maxPower, double gamma) {
  const long double t = (255 - gray) / 255.0L;
  return static_cast<int>(
      std::nearbyint(minPower + (maxPower - minPower) * std::pow(t, (long double)gamma)));
}

// The level of a power by brute force: the nearest of all N, the lower of two as near.
int NearestLevelSlowly(const MachineProfile& m, int power) {
  int best = -1;
  for (int k = 0; k < m.powerLevels; ++k) {
    const int level = static_cast<int>(
        std::lround(m.minPower + (m.maxPower - m.minPower) * k / double(m.powerLevels - 1)));
    if (best < 0 || std::abs(level - power) < std::abs(best - power)) best = level;
  }
  return best;
}

// Every pixel's power as the program burns it, in pictures read straight from memory (24, 32
// bits) and through the accessor (8 bits): the columns each burning move covers whole,
// shifted back by the scan offset on leftward moves, on rows the line interval apart. Gaps
// between burns longer than the rapid gap are G0 moves, the shorter ones G1 at S0. An interval
// equal to the dot writes the program of no interval.
TEST(GrblWriter, RandomPicturesBurnExactlyTheirDots) {
  const struct {
    double dot, overscan, offset;
    bool oneWay, grayscale;
    int levels = 256;
    double gap = 0, gamma = 1, interval = 0;
  } profiles[] = {{0.5, 0, 0, false, false},
                  {0.1, 0.7, 0, false, false},
                  {0.3, 0, 0.3, false, false},
                  {0.2, 2, -0.2, false, false},
                  {0.25, 1, 0, true, false},
                  {0.1, 0, 0.05, false, true},
                  {0.4, 0.5, 0, true, true},
                  {0.1, 0, 0, false, true, 7},
                  {0.2, 0.4, 0.1, false, true, 2, 0.5},
                  {0.5, 0, 0, false, false, 256, 0.9},
                  {0.1, 1, 0, true, false, 256, 0.25},
                  {0.3, 0, 0.3, false, true, 40, 0.3},
                  {0.1, 0, 0, false, true, 256, 0, 2.2},
                  {0.2, 0.4, 0.1, true, true, 9, 0, 0.45},
                  {0.1, 0, 0, false, false, 256, 0, 1, 0.15},
                  {0.3, 0.5, 0.3, false, true, 12, 0.2, 0.2, 0.07},
                  {0.25, 0, 0, false, true, 256, 0, 5, 0.25}};
  std::mt19937 random(7);
  for (const auto& p : profiles) {
    for (int round = 0; round < 30; ++round) {
      // Narrow rows, and wide ones with long runs: black from 0 to 90 % of the dots, few grays.
      const int w = 1 + static_cast<int>(random() % (round % 2 ? 9 : 40));
      const int h = 2 + static_cast<int>(random() % 5);
      const PixelFormat formats[] = {PixelFormat::Bit32, PixelFormat::Bit24, PixelFormat::Bit8};
      const Color grays[] = {kBlack, RGB(90, 90, 90), kWhite};
      Bitmap b(w, h, formats[round % 3]);
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          const Color gray = round % 2 ? random() & 0xFFFFFF : grays[random() % 3];
          const Color dot = static_cast<int>(random() % 10) < round % 10 ? kBlack : kWhite;
          b.SetPixelColor(x, y, p.grayscale ? gray : dot);
        }
      }
      MachineProfile m{Machine::Grbl, 800,      30,    p.overscan, p.oneWay,  p.offset,
                       p.grayscale,   p.levels, p.gap, p.gamma,    p.interval};
      std::map<long long, std::vector<Burn>> idle;
      const std::string program = Write(b, Grbl(p.dot, true, m));
      const auto burns = Interpret(program, &idle);
      if (p.interval == 0) {
        m.lineIntervalMm = p.dot;
        EXPECT_EQ(Write(b, Grbl(p.dot, true, m)), program);
      }
      const long double pitch = p.interval > 0 ? p.interval : p.dot;
      const long long offset = ToThousandths(p.offset);
      int burningRows = 0;
      bool lastLeftward = true;
      for (int k = 0; k < h; ++k) {
        std::vector<long long> power(static_cast<std::size_t>(w), 0);
        const auto row = burns.find(ToThousandths(k * pitch));
        for (const Burn& burn : row == burns.end() ? std::vector<Burn>{} : row->second) {
          const long long shift = burn.leftward ? offset : 0;
          EXPECT_TRUE(!p.oneWay || !burn.leftward);
          if (!p.oneWay) {
            EXPECT_NE(burn.leftward, lastLeftward) << "row " << k;
          }
          for (int c = 0; c < w; ++c) {
            const long long a = ToThousandths(c * static_cast<long double>(p.dot)) + shift;
            const long long z = ToThousandths((c + 1) * static_cast<long double>(p.dot)) + shift;
            if (a >= burn.from && z <= burn.to) power[static_cast<std::size_t>(c)] += burn.power;
            EXPECT_FALSE(a < burn.to && z > burn.from && (a < burn.from || z > burn.to));
          }
        }
        for (const Burn& gap : row == burns.end() ? std::vector<Burn>{} : idle[row->first]) {
          const bool inside = std::any_of(row->second.begin(), row->second.end(),
                                          [&](const Burn& b) { return b.to <= gap.from; }) &&
                              std::any_of(row->second.begin(), row->second.end(),
                                          [&](const Burn& b) { return b.from >= gap.to; });
          const bool rapid = gap.power != 0;
          if (inside) {
            EXPECT_EQ(rapid, p.gap > 0 && gap.to - gap.from > ToThousandths(p.gap)) << "row " << k;
          }
        }
        if (row != burns.end()) lastLeftward = row->second.front().leftward;
        burningRows += row != burns.end();
        for (int c = 0; c < w; ++c) {
          const Color color = b.PixelColor(c, h - 1 - k);
          const int gray = (RedOf(color) * 76 + GreenOf(color) * 151 + BlueOf(color) * 29) >> 8;
          const int curve = CurvePowerSlowly(gray, 30, 800, p.gamma);
          const long long want = p.grayscale ? p.levels < 256 ? NearestLevelSlowly(m, curve) : curve
                                 : color == kBlack ? 800
                                                   : 0;
          EXPECT_EQ(power[static_cast<std::size_t>(c)], want) << "row " << k << " column " << c;
        }
      }
      EXPECT_EQ(static_cast<int>(burns.size()), burningRows);
    }
  }
}

// The outline of a picture W × H at dot d, as the machine writes it after any turn.
TEST(FrameProgram, TracesThePicturesCornersFromTheOrigin) {
  const struct {
    Machine machine;
    int width, height, power, feed;
    double dot, overscan;
    const char* text;
  } cases[] = {
      {Machine::Classic, 4, 3, 0, 300, 0.5, 0,
       "%\r\nG90\r\nG0X0Y0\r\nG0X2\r\nG0Y1.5\r\nG0X0\r\nG0X0Y0\r\nM2\r\n%\r\n"},
      {Machine::Grbl, 3, 4, 0, 300, 0.1, 2,
       "G21\nG90\nM5\nG0 X0 Y0\nG0 X0.3\nG0 Y0.4\nG0 X0\nG0 Y0\nM2\n"},
      {Machine::Grbl, 7, 2, 5, 1200, 0.3, 0,
       "G21\nG90\nM5\nG0 X0 Y0\nG1 F1200\nM3 S5\nG1 X2.1\nG1 Y0.6\nG1 X0\nG1 Y0\nM5\nM2\n"},
  };
  for (const auto& c : cases) {
    GcodeSettings s = Grbl(c.dot, true);
    s.machine.machine = c.machine;
    s.machine.overscanMm = c.overscan;
    s.feed = c.feed;
    const std::string text = FrameProgram(c.width, c.height, s, c.power).Text();
    EXPECT_EQ(text, c.text);
    if (c.machine == Machine::Classic) continue;
    EXPECT_EQ(c.power == 0, text.find_first_of("S") == std::string::npos) << "laser on at S0";
    // The same corner as the program's last column edge.
    const auto full = Interpret(Write(
        DrawPicture(std::vector<std::string>(std::size_t(c.height), std::string(c.width, '#'))),
        s));
    EXPECT_EQ(full.begin()->second.front().to, ToThousandths(c.width * (long double)c.dot));
  }
}

TEST(FrameProgram, RefusesAPowerItCannotUse) {
  GcodeSettings s = Grbl(0.2, true);
  const std::pair<int, const char*> grbl[] = {
      {-1, "The frame power -1 is outside 0 .. 1000, the maximum power"},
      {1001, "The frame power 1001 is outside 0 .. 1000, the maximum power"}};
  for (const auto& [power, message] : grbl)
    EXPECT_EQ(ErrorText([&] { CheckFramePower(s, power); }), message);
  s.machine.machine = Machine::Classic;
  EXPECT_EQ(ErrorText([&] { CheckFramePower(s, 5); }),
            "The classic machine frames with rapid moves only; a frame power needs GRBL");
}

// Every burn of a grid either fills one row of one cell exactly, at the cell's S and F, or is
// a label's, at the label power and feed, clear of every cell.
TEST(TestGrid, EachCellBurnsExactlyItsSquareAndTheLabelsStayOutside) {
  const struct {
    GridRange powers, feeds;
    double cell, dot, overscan, offset;
    bool oneWay;
  } cases[] = {{{200, 1000, 5}, {1000, 5000, 5}, 5, 0.2, 0, 0, false},
               {{10, 700, 4}, {300, 300, 1}, 3, 0.1, 1.5, 0.2, false},
               {{1, 3, 3}, {100, 2000, 20}, 0.5, 0.25, 0.5, 0, true},
               {{990, 1000, 20}, {6000, 6000, 2}, 1, 0.5, 0, -0.5, false}};
  for (const auto& c : cases) {
    TestGridSettings s{c.powers, c.feeds, c.cell, c.dot, {}};
    s.machine = {Machine::Grbl, 1000, 0, c.overscan, c.oneWay, c.offset, false};
    const TestGrid grid(s);
    StringSink sink;
    grid.Write(sink);
    const long long offset = ToThousandths(c.offset), d = ToThousandths(c.dot);
    std::vector<int> rowsBurnt(grid.Cells().size(), 0);
    for (const auto& [y, row] : Interpret(sink.text)) {
      for (const Burn& b : row) {
        const long long shift = b.leftward ? offset : 0;
        std::size_t i = 0;
        for (const GridCell& cell : grid.Cells()) {
          if (b.from - shift < cell.right && b.to - shift > cell.left && y >= cell.bottom &&
              y < cell.top) {
            EXPECT_EQ(b.from - shift, cell.left);
            EXPECT_EQ(b.to - shift, cell.right);
            EXPECT_EQ(b.power, cell.power);
            EXPECT_EQ(b.feed, cell.feed);
            EXPECT_EQ((y - cell.bottom) % d, 0);
            ++rowsBurnt[i];
            break;
          }
          ++i;
        }
        if (i == grid.Cells().size()) {
          EXPECT_EQ(b.power, grid.LabelPower());
          EXPECT_EQ(b.feed, kLabelFeed);
          for (const GridCell& cell : grid.Cells())
            EXPECT_FALSE(b.from < cell.right + d && b.to > cell.left - d && y >= cell.bottom - d &&
                         y < cell.top + d);
        }
      }
    }
    for (std::size_t i = 0; i < rowsBurnt.size(); ++i) {
      const GridCell& cell = grid.Cells()[i];
      EXPECT_EQ(rowsBurnt[i], (cell.top - cell.bottom) / d);
      EXPECT_EQ(cell.power, GridValues(c.powers)[i / std::size_t(c.feeds.count)]);
      EXPECT_EQ(cell.feed, GridValues(c.feeds)[i % std::size_t(c.feeds.count)]);
    }
  }
  EXPECT_EQ(GridValues({100, 200, 4}), (std::vector<int>{100, 133, 167, 200}));
}

TEST(TestGrid, RefusesBadRangesBeforeWriting) {
  const std::pair<const char*, const char*> ranges[] = {
      {"5:1:3", "The powers '5:1:3' run from MIN above MAX"},
      {"1:5:0", "The powers '1:5:0' ask for 0 values; give 1 .. 20"},
      {"1:5:21", "The powers '1:5:21' ask for 21 values; give 1 .. 20"},
      {"1:5", "The powers '1:5' are not MIN:MAX:N (three whole numbers)"},
      {"1:x:5", "The powers '1:x:5' are not MIN:MAX:N (three whole numbers)"}};
  for (const auto& [text, message] : ranges)
    EXPECT_EQ(ErrorText([&] { ParseGridRange("powers", text); }), message);
  const std::pair<TestGridSettings, const char*> grids[] = {
      {{{1, 5, 2}, {100, 200, 2}, 0.39, 0.2, {}},
       "The cell 0.39 mm is smaller than two dots of 0.2 mm"},
      {{{0, 5, 2}, {100, 200, 2}, 5, 0.2, {}},
       "The powers 0:5 must lie within 1 .. 1000 (the maximum power)"},
      {{{1, 5, 2}, {100, 2000000, 2}, 5, 0.2, {}},
       "The feeds 100:2000000 must lie within 1 .. 1000000 mm/min"},
      {{{1, 5, 2}, {100, 200, 2}, 500, 0.2, {}},
       "The cell 500 mm would be 2500 dots of 0.2 mm a side; at most 1000 fit a test"},
      {{{1, 5, 2}, {100, 200, 2}, 5, 0.0005, {}},
       "The dot size 0.0005 mm is below 0.001 mm, the smallest step of a GRBL program"}};
  for (const auto& [settings, message] : grids)
    EXPECT_EQ(ErrorText([&] { TestGrid{settings}; }), message);
}

TEST(GrblWriter, GrayPowerEnds) {
  EXPECT_EQ(GrayPower(0, 30, 800), 800);
  EXPECT_EQ(GrayPower(255, 30, 800), 30);
  EXPECT_EQ(GrayPower(128, 0, 1000), 498);  // 1000 × 127 / 255 = 498.04
}

}  // namespace
}  // namespace skelda
