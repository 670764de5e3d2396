#include "gcode/grbl_writer.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <regex>

#include "core/errors.h"
#include "gcode/grbl_number.h"
#include "gcode_test_support.h"

namespace skelda {
namespace {

using testing::DrawPicture;
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
};
std::map<long long, std::vector<Burn>> Interpret(const std::string& text) {
  static const std::regex word(R"(([GMXYSFP])(-?\d+(\.\d{1,3})?))");
  std::map<long long, std::vector<Burn>> burns;
  long long x = 0, y = 0, s = 0, motion = 0;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    EXPECT_LT(line.size(), 80u) << line;
    EXPECT_EQ(line.find_first_of("%\r"), std::string::npos) << line;
    long long nx = x;
    bool move = false;
    for (std::size_t at = 0; at < line.size(); at += line[at] == ' ' ? 1 : 0) {
      std::smatch m;
      const std::string rest = line.substr(at);
      if (!std::regex_search(rest, m, word, std::regex_constants::match_continuous)) {
        ADD_FAILURE() << "not a GRBL word: " << line;
        break;
      }
      const long long v = ToThousandths(std::stold(m[2]));
      switch (m[1].str()[0]) {
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
      }
      at += static_cast<std::size_t>(m.length(0));
    }
    if (move && motion == 1000 && s > 0 && nx != x) {
      burns[y].push_back({std::min(x, nx), std::max(x, nx), s, nx < x});
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
            "G0 X-0.5 Y0.5\nG1 X0.5\nG1 X1 S1000\nG1 X1.5 S0\nG1 X2 S1000\nG1 X3 S0\n"
            "G0 Y1\nG1 X2\nG1 X1 S1000\nG1 X0.5 S0\nG1 X0 S1000\nG1 X-1 S0\n"
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
  const std::string head = "G21\nG90\nM5\nM4 S0\nG1 F300\nG0 X0 Y0\nG1 X3 S132\n";
  EXPECT_EQ(Write(b, Grbl(1, true, m)),
            head + "G0 X3.25 Y1\nG1 X2.25 S10\nG1 X0.25 S255\nM5\nG0 X0 Y0\nM2\n");
  m.oneWay = true;
  EXPECT_EQ(Write(b, Grbl(1, true, m)),
            head + "G0 X0 Y1\nG1 X2 S255\nG1 X3 S10\nM5\nG0 X0 Y0\nM2\n");
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

// Every pixel's power as the program burns it, in pictures read straight from memory (24, 32
// bits) and through the accessor (8 bits): the columns each burning move covers whole,
// shifted back by the scan offset on leftward moves.
TEST(GrblWriter, RandomPicturesBurnExactlyTheirDots) {
  const struct {
    double dot, overscan, offset;
    bool oneWay, grayscale;
  } profiles[] = {{0.5, 0, 0, false, false},   {0.1, 0.7, 0, false, false},
                  {0.3, 0, 0.3, false, false}, {0.2, 2, -0.2, false, false},
                  {0.25, 1, 0, true, false},   {0.1, 0, 0.05, false, true},
                  {0.4, 0.5, 0, true, true}};
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
      MachineProfile m{Machine::Grbl, 800, 30, p.overscan, p.oneWay, p.offset, p.grayscale};
      const auto burns = Interpret(Write(b, Grbl(p.dot, true, m)));
      const long long offset = ToThousandths(p.offset);
      int burningRows = 0;
      bool lastLeftward = true;
      for (int k = 0; k < h; ++k) {
        std::vector<long long> power(static_cast<std::size_t>(w), 0);
        const auto row = burns.find(ToThousandths(k * static_cast<long double>(p.dot)));
        for (const Burn& burn : row == burns.end() ? std::vector<Burn>{} : row->second) {
          const long long shift = burn.leftward ? offset : 0;
          EXPECT_TRUE(!p.oneWay || !burn.leftward);
          if (!p.oneWay) EXPECT_NE(burn.leftward, lastLeftward) << "row " << k;
          for (int c = 0; c < w; ++c) {
            const long long a = ToThousandths(c * static_cast<long double>(p.dot)) + shift;
            const long long z = ToThousandths((c + 1) * static_cast<long double>(p.dot)) + shift;
            if (a >= burn.from && z <= burn.to) power[static_cast<std::size_t>(c)] += burn.power;
            EXPECT_FALSE(a < burn.to && z > burn.from && (a < burn.from || z > burn.to));
          }
        }
        if (row != burns.end()) lastLeftward = row->second.front().leftward;
        burningRows += row != burns.end();
        for (int c = 0; c < w; ++c) {
          const Color color = b.PixelColor(c, h - 1 - k);
          const int gray = (RedOf(color) * 76 + GreenOf(color) * 151 + BlueOf(color) * 29) >> 8;
          const long long want = p.grayscale ? GrayPower(gray, 30, 800) : color == kBlack ? 800 : 0;
          EXPECT_EQ(power[static_cast<std::size_t>(c)], want) << "row " << k << " column " << c;
        }
      }
      EXPECT_EQ(static_cast<int>(burns.size()), burningRows);
    }
  }
}

TEST(GrblWriter, GrayPowerEnds) {
  EXPECT_EQ(GrayPower(0, 30, 800), 800);
  EXPECT_EQ(GrayPower(255, 30, 800), 30);
  EXPECT_EQ(GrayPower(128, 0, 1000), 498);  // 1000 × 127 / 255 = 498.04
}

}  // namespace
}  // namespace skelda
