// The simulator: job times against hand-worked trapezoids and a slow time-stepped reference of
// GRBL's planner, the burn picture of every program the writers make against its picture, and
// programs that are wrong, cut short or garbage.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <deque>
#include <functional>
#include <random>

#include "gcode/grbl_writer.h"
#include "gcode_test_support.h"
#include "simulation/program_file.h"
#include "simulation/program_preview.h"
#include "simulation/program_reader.h"
#include "support/error_text.h"

namespace skelda {
namespace {

using testing::DrawPicture;
using testing::ErrorText;

ProgramReader Simulate(const std::string& text, const SimulationSettings& s = {}) {
  ProgramReader reader(s);
  reader.Feed(text.data(), text.size());
  reader.Finish();
  return reader;
}

TEST(JobTime, MatchesHandWorkedProfiles) {
  const double a = 1000, v = 100;  // mm/s², 6000 mm/min
  // A right-angle corner: speed² = a' δ sin(θ/2) / (1 − sin(θ/2)) with a' = √2 a along the
  // bisector; each 50 mm leg accelerates from rest to 100 mm/s, cruises, brakes to the corner.
  const double half = std::sqrt(0.5);
  const double vj = std::sqrt(std::sqrt(2.0) * a * 0.01 * half / (1 - half));
  const double leg =
      v / a + (v - vj) / a + (50 - v * v / (2 * a) - (v * v - vj * vj) / (2 * a)) / v;
  const double mm1 = 2 * std::sqrt(a * 1) / a;  // a 1 mm rapid: a triangle peaking at √(a L)
  const struct {
    const char* program;
    double seconds;
  } cases[] = {
      {"G1 F6000 X100", 0.1 + 0.1 + 90.0 / 100},   // 5 mm up, 90 mm cruise, 5 mm down
      {"G1 F3000 X100", 0.05 + 0.05 + 97.5 / 50},  // 1.25 mm up and down at 50 mm/s
      {"G1 F6000 X4", 2 * std::sqrt(a * 4) / a},   // too short to reach the feed
      {"G0 X30 Y30", 0.4},  // diagonal: rate and acceleration both √2 × an axis's, L = 30√2
      {"G1 F6000 X50\nY50", 2 * leg},
      {"G1 F6000 X50\nX0", 2 * (0.2 + 40.0 / 100)},            // a reversal stops at the turn
      {"M3\nG1 F6000 X50\nM5\nX100", 2 * (0.2 + 40.0 / 100)},  // so does the laser going off
      // 100 inch/min = 2540/60 mm/s over two 1-inch moves straight on, one profile
      {"G20 G91 G1 F100 X1\nX1",
       2 * (2540.0 / 60) / a + (50.8 - std::pow(2540.0 / 60, 2) / a) / (2540.0 / 60)},
      {"G4 P0.12", 0.15},                                    // GRBL waits in steps of 50 ms
      {"G0X0Y0\nG5P250\nM40\nX1\nX1\nX0Y0", 2 * mm1 + 0.5},  // two dots of 250 ms
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(Simulate(c.program).Seconds(), c.seconds, 1e-9) << c.program;
  }
}

// A slow reference of what a GRBL controller does, written from its planner's rules rather than
// from the model: moves stream into a buffer of 15 blocks as soon as one leaves; every 10 µs the
// whole buffer is planned again from the current speed (last block ending at rest, each entry
// bounded by its junction and by braking over what follows), and the head advances with its
// speed raised by the acceleration, capped by the feed and by what still lets it brake in time.
// With a baud rate, each line's bytes (`bytes`, one per entry) trickle through the link, 10 bits
// a byte, once they fit the 128 bytes of the lines not yet taken; a line is taken once all its
// bytes are in.
double ReferenceSeconds(const std::vector<std::array<double, 3>>& moves,  // dx, dy, mm/s (0: rapid)
                        double accel = 1000, const std::vector<double>& bytes = {}, double baud = 0,
                        double dt = 1e-5) {
  struct B {
    double length, v, a, maxEntry2, done = 0;
  };
  std::size_t sent = 0;  // lines wholly through the link
  double inBuffer = 0, sentOfLine = 0;
  // Along a unit vector, each axis keeps within its own limit (the same for X and Y here).
  const auto along = [](double limit, double ux, double uy) {
    return limit / std::max(std::abs(ux), std::abs(uy));
  };
  std::deque<B> buffer;
  std::size_t next = 0;
  double ux = 0, uy = 0, speed = 0, t = 0;
  while (next < moves.size() || !buffer.empty()) {
    for (double budget = baud / 10 * dt; baud > 0 && budget > 0 && sent < moves.size();) {
      if (sentOfLine == 0) {
        if (inBuffer + bytes[sent] > 128) break;
        inBuffer += bytes[sent];  // the sender counts a line from its first byte
      }
      const double part = std::min(budget, bytes[sent] - sentOfLine);
      budget -= part;
      sentOfLine += part;
      if (sentOfLine >= bytes[sent]) sentOfLine = 0, ++sent;
    }
    while (buffer.size() < 15 && next < moves.size() && (baud == 0 || next < sent)) {
      if (moves[next][2] == -1 && !buffer.empty()) break;  // a laser command waits for a stop
      if (baud > 0) inBuffer -= bytes[next];
      const auto [dx, dy, feed] = moves[next++];
      if (feed < 0) continue;
      const double l = std::hypot(dx, dy), nx = dx / l, ny = dy / l;
      const double v = feed > 0 ? std::min(feed, along(100, nx, ny)) : along(100, nx, ny);
      double j = 0;
      if (!buffer.empty()) {  // junction deviation 0.01 mm
        const double cosTheta = -(ux * nx + uy * ny);
        const double half = std::sqrt(0.5 * (1 - cosTheta));
        const double ja = along(accel, nx - ux, ny - uy) * std::hypot(nx - ux, ny - uy);
        j = cosTheta < -0.999999 ? 1e38 : cosTheta > 0.999999 ? 0 : ja * 0.01 * half / (1 - half);
      }
      const double prev = buffer.empty() ? v : buffer.back().v;
      buffer.push_back({l, v, along(accel, nx, ny), std::min(j, std::pow(std::min(v, prev), 2))});
      ux = nx, uy = ny;
    }
    if (buffer.empty()) {
      if (next < moves.size()) t += dt;  // waiting for the line
      continue;
    }
    double exit2 = 0;  // the highest exit of the executing block the buffer allows
    for (std::size_t i = buffer.size() - 1; i >= 1; --i) {
      exit2 = std::min(buffer[i].maxEntry2, exit2 + 2 * buffer[i].a * buffer[i].length);
    }
    B& b = buffer.front();
    const double left = b.length - b.done;
    speed = std::min({speed + b.a * dt, b.v, std::sqrt(exit2 + 2 * b.a * std::max(left, 0.0))});
    const double step = speed * dt;
    t += dt;
    if (step >= left) {
      t -= dt * (1 - left / step);  // the block ends inside this step
      buffer.pop_front();
    } else {
      b.done += step;
    }
  }
  return t;
}

// The moves of a GRBL line program; a laser command (M4 once, M5 at the end) is {0, 0, -1}.
// With `bytes`, every line is an entry (one without a move {0, 0, -2}) and its length in bytes.
std::vector<std::array<double, 3>> Moves(const std::string& program, double feed,
                                         std::vector<double>* bytes = nullptr) {
  std::vector<std::array<double, 3>> moves;
  double x = 0, y = 0, v = 0;
  std::istringstream in(program);
  for (std::string line; std::getline(in, line);) {
    double nx = x, ny = y;
    // Each G, X or Y followed by -?[0-9.]+, anywhere in the line.
    for (std::size_t at = 0; at < line.size(); ++at) {
      const char letter = line[at];
      if (letter != 'G' && letter != 'X' && letter != 'Y') continue;
      std::size_t end = at + 1;
      if (end < line.size() && line[end] == '-') ++end;
      const std::size_t digits = end;
      while (end < line.size() && ((line[end] >= '0' && line[end] <= '9') || line[end] == '.')) {
        ++end;
      }
      if (end == digits) continue;
      const double value = std::stod(line.substr(at + 1, end - at - 1));
      if (letter == 'G') v = value == 0 ? 0 : value == 1 ? feed / 60 : v;  // 0: a rapid
      if (letter == 'X') nx = value;
      if (letter == 'Y') ny = value;
      at = end - 1;
    }
    if (nx != x || ny != y) moves.push_back({nx - x, ny - y, v});
    if (line[0] == 'M') moves.push_back({0, 0, -1});
    if (bytes != nullptr) {
      if (nx == x && ny == y && line[0] != 'M') moves.push_back({0, 0, -2});
      bytes->push_back(double(line.size() + 1));
    }
    x = nx, y = ny;
  }
  return moves;
}

Bitmap RandomPicture(int width, int height, unsigned seed, bool gray = false) {
  std::mt19937 random(seed);
  Bitmap b(width, height, PixelFormat::Bit32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned v = random() % 256;
      b.SetPixelColor(x, y, gray ? v * 0x010101 : (y == 2 || v < 100) ? kBlack : kWhite);
    }
  }
  return b;
}

std::string Program(Bitmap picture, const GcodeSettings& s) {
  TQuickPixels pixels;
  pixels.Attach(picture);
  StringSink sink;
  GcodeWriter(pixels, s).Write(sink);
  return sink.text;
}

GcodeSettings Grbl(bool lines, double dot, MachineProfile m = {}) {
  GcodeSettings s;
  s.lineMode = lines;
  s.dot = dot;
  s.feed = 3000;
  s.machine = m;
  s.machine.machine = Machine::Grbl;
  return s;
}

TEST(JobTime, RasterProgramsWithinATenthOfAPercentOfTheSteppedReference) {
  MachineProfile overscan;
  overscan.overscanMm = 2;
  MachineProfile oneWay;
  oneWay.oneWay = true;
  for (const auto& [settings, dot] : {std::pair{Grbl(true, 0.1), 0.1},
                                      {Grbl(true, 0.5, overscan), 0.5},
                                      {Grbl(true, 0.2, oneWay), 0.2}}) {
    const std::string program = Program(RandomPicture(40, 12, 7), settings);
    const double reference = ReferenceSeconds(Moves(program, settings.feed));
    EXPECT_NEAR(Simulate(program).Seconds() / reference, 1.0, 0.001) << dot;
  }
}

// Grayscale rows of 0.05 mm dots at 6000 mm/min: at 115200 baud the line, not the head, sets
// the pace; at 9600 baud even the few lines of 4 levels do; the rapid gaps of a sparse row.
TEST(JobTime, TheSerialLineWithinOnePercentOfTheSteppedReference) {
  MachineProfile gray;
  gray.grayscale = true;
  MachineProfile fewer = gray;
  fewer.powerLevels = 4;
  MachineProfile gaps;
  gaps.rapidGapMm = 0.2;
  const struct {
    MachineProfile profile;
    double accel, baud;
    bool gray;
    double slower[2];  // the time over the endless line's
  } cases[] = {{gray, 1000, 115200, true, {1, 1.02}},
               {gray, 4000, 115200, true, {1.1, 1.2}},
               {fewer, 4000, 9600, true, {5, 20}},
               {gaps, 1000, 115200, false, {1, 1.02}}};
  for (const auto& c : cases) {
    GcodeSettings settings = Grbl(true, 0.05, c.profile);
    settings.feed = 6000;
    const std::string program = Program(RandomPicture(200, 2, 5, c.gray), settings);
    SimulationSettings s;
    s.motion.acceleration.fill(c.accel);
    s.motion.baud = c.baud;
    const ProgramReader reader = Simulate(program, s);
    std::vector<double> bytes;
    const auto moves = Moves(program, settings.feed, &bytes);
    EXPECT_NEAR(reader.Seconds() / ReferenceSeconds(moves, c.accel, bytes, c.baud, 2e-6), 1, 0.01)
        << c.baud;
    const double slower = reader.Seconds() / reader.EndlessSeconds();
    EXPECT_TRUE(slower >= c.slower[0] && slower <= c.slower[1]) << slower;
    EXPECT_NEAR(reader.LinkSeconds(), reader.Seconds() - reader.EndlessSeconds(), 1e-12);
    s.motion.baud = 1e12;  // a line that is never the limit plans as the endless one
    EXPECT_NEAR(Simulate(program, s).Seconds(), reader.EndlessSeconds(), 1e-9);
  }
}

// Every program a writer makes burns exactly its picture's black dots, on rows the line interval
// apart; grayscale programs give back each dot's power through the tone curve.
TEST(BurnPicture, EveryProgramBurnsItsPicture) {
  MachineProfile overscan, oneWay, both, offsetZero, gray, rows, curved;
  overscan.overscanMm = 1.5;
  oneWay.oneWay = true;
  both.oneWay = true;
  both.overscanMm = 0.3;
  offsetZero.scanOffsetMm = 0;
  gray.grayscale = true;
  rows.lineIntervalMm = 0.15;
  curved = gray;
  curved.gamma = 0.45;
  curved.lineIntervalMm = 0.4;
  const struct {
    GcodeSettings settings;
    bool gray;
  } cases[] = {
      {testing::LineMode(0.1), false},    {testing::DotMode(0.2), false},
      {testing::LineMode(0.25), false},   {testing::DotMode(0.1), false},
      {Grbl(true, 0.1), false},           {Grbl(false, 0.1), false},
      {Grbl(true, 0.2, overscan), false}, {Grbl(true, 0.1, oneWay), false},
      {Grbl(true, 0.3, both), false},     {Grbl(true, 0.1, offsetZero), false},
      {Grbl(true, 0.1, gray), true},      {Grbl(true, 0.25, gray), true},
      {Grbl(true, 0.1, rows), false},     {Grbl(false, 0.1, rows), false},
      {Grbl(true, 0.2, curved), true},
  };
  for (const auto& c : cases) {
    for (const unsigned seed : {1u, 2u}) {
      const Bitmap picture = RandomPicture(31, 9 + seed, seed, c.gray);
      const SimulationSettings s = PreviewSettings({}, c.settings, {});
      const ProgramReader reader = Simulate(Program(picture, c.settings), s);
      const BurnPicture& burnt = reader.Picture();
      EXPECT_LE(burnt.Width(), picture.Width());
      EXPECT_LE(burnt.Height(), picture.Height());
      for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
          const Color color = picture.PixelColor(x, y);
          const int power =
              c.gray ? GrayPower(static_cast<int>(color & 0xFF), 0, 1000, c.settings.machine.gamma)
              : color == kBlack ? 1000
                                : 0;
          ASSERT_EQ(burnt.At(x, picture.Height() - 1 - y), std::lround(power * 255 / 1000.0))
              << "dot " << x << ", " << y << " of\n"
              << Program(picture, c.settings);
        }
      }
    }
  }
}

// The default grid: cells of 25 dots from dot 55, 35 dots apart; S200 bottom-left, S1000 top-right.
TEST(BurnPicture, TheTestGridBurnsEachCellAtItsPower) {
  const ProgramPreview preview = PreviewTestGrid(TestGrid(TestGridSettings{}), MotionSettings{});
  EXPECT_EQ(preview.picture.Width(), 220);
  EXPECT_EQ(preview.picture.Height(), 220);
  for (const auto& [x, y, darkness] : {std::array{55, 55, 51}, std::array{79, 79, 51},
                                       std::array{195, 195, 255}, std::array{80, 80, 0}}) {
    EXPECT_EQ(preview.picture.At(x, y), darkness) << x << ", " << y;
  }
  EXPECT_GT(preview.seconds, 0);
}

TEST(ProgramReader, RefusesWhatItCannotFollow) {
  const struct {
    const char* program;
    const char* message;
  } cases[] = {
      {"G90\nG1 Z5\n", "line 2: unknown word 'Z5': G1 Z5"},
      {"G1 X\r\n", "line 1: 'X' without a number: G1 X"},
      {"X1e5", "line 1: unknown word 'e5': X1e5"},
      {"G2 X1", "line 1: unknown word 'G2': G2 X1"},
      {"M7", "line 1: unknown word 'M7': M7"},
      {"G1 X5 (cut", "line 1: a comment without its closing ')': G1 X5 (cut"},
      {"G1 X5", "line 1: a G1 move before any feed rate F: G1 X5"},
      {"G0 X1 %", "line 1: '%' inside a line: G0 X1 %"},
      {"P5", "line 1: a P word without G4 or G5: P5"},
      {"G4", "line 1: G4 or G5 without a time P: G4"},
      {"X\x01\xff", "line 1: 'X' without a number: X??"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorText([&] { Simulate(c.program); }), c.message) << c.program;
  }
  EXPECT_EQ(ErrorText([] { Simulate("%\n(a comment)\n; another\n\ng21 g0 x1.5 y-.5 N7\n"); }), "");
}

// Truncated at every byte and fed in random pieces, a program reads to the same end as whole
// or fails with a line number; random bytes never do anything else (run under the sanitizers).
TEST(ProgramReader, SurvivesTruncationPiecesAndGarbage) {
  const std::string program = Program(RandomPicture(7, 3, 3), Grbl(true, 0.1));
  std::mt19937 random(11);
  // The time and picture a reader ends with, or its error.
  const auto outcome = [](const std::function<void(ProgramReader&)>& feed) {
    ProgramReader reader({});
    const std::string error = ErrorText([&] {
      feed(reader);
      reader.Finish();
    });
    const std::vector<std::uint8_t> gray = reader.Picture().GrayRows();
    return error + std::to_string(reader.Seconds()) + std::to_string(reader.Picture().Width()) +
           std::string(gray.begin(), gray.end());
  };
  for (std::size_t cut = 0; cut <= program.size(); ++cut) {
    const std::string whole = outcome([&](ProgramReader& r) { r.Feed(program.data(), cut); });
    EXPECT_EQ(outcome([&](ProgramReader& r) {
                for (std::size_t at = 0, n = 0; at < cut; at += n) {
                  n = std::min<std::size_t>(random() % 9, cut - at);
                  r.Feed(program.data() + at, n);
                }
              }),
              whole);
  }
  const std::string alphabet = "GMXYSFP0123456789.-+ ;()%\r\n\t\x00\xff";
  for (int i = 0; i < 2000; ++i) {
    std::string garbage(random() % 40, ' ');
    for (char& c : garbage) c = alphabet[random() % alphabet.size()];
    try {
      Simulate(garbage);
    } catch (const ProgramError&) {
    }
  }
}

TEST(JobTime, TextInHoursMinutesSeconds) {
  EXPECT_EQ(JobTimeText(0), "0:00:00 (0.0 s)");
  EXPECT_EQ(JobTimeText(3725.46), "1:02:05 (3725.5 s)");
  EXPECT_EQ(JobTimeText(460.2, 26.1, 115200),
            "0:07:40 (460.2 s), of which 26.1 s waiting for the serial line at 115200 baud");
  EXPECT_EQ(JobTimeText(460.2, 0.049, 115200), "0:07:40 (460.2 s)");
}

// A grid that grows with the program refuses a move beyond what it may hold before it grows.
TEST(BurnPicture, RefusesAFarMoveBeforeGrowing) {
  const struct {
    double x, y;
    const char* message;
  } cases[] = {{13000, 13000, "The picture of 65000 x 65000 dots is too large to hold"},
               {2317.2, 2317.2, "The picture of 11586 x 11586 dots is too large to hold"},
               {14000, 0.1,
                "The program burns beyond 65536 dots from the origin; choose a larger dot size "
                "for its picture"}};
  for (const auto& c : cases) {
    BurnPicture picture(0.2);
    EXPECT_EQ(ErrorText([&] { picture.BurnMove(0, 0, c.x, c.y, 255); }), c.message);
    EXPECT_EQ(picture.Width(), 0);
  }
  BurnPicture largest(0.2);
  largest.BurnMove(0, 0, 2317, 2317, 255);  // 11585 x 11585: just within
  EXPECT_EQ(largest.Width(), 11585);
}

}  // namespace
}  // namespace skelda
