// The planned job time of GRBL raster programs over a 115200-baud line and over an endless one:
// a grayscale strip of coffee.png (800 dots of 0.05 mm, the middle 40 rows, feed 6000) with
// the raster lines as they were (G1 and spaces on every line), compact, and compact with 200
// and with 128 power levels; and the sparse horse.png (threshold, 0.1 mm, feed 1500) with and
// without rapid gaps. Each run plans the whole job; the counters carry the figures. line_only_x is
// the time the program's bytes alone take at the baud rate, against the endless line: no sender
// gets below it.
#include <benchmark/benchmark.h>
#include <png.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "core/workspace.h"
#include "gcode/gcode_sink.h"
#include "gcode/grbl_writer.h"
#include "intake/resampling.h"
#include "processing/processing_commands.h"
#include "simulation/program_reader.h"

namespace skelda {
namespace {

// A PNG put on white, as a 32-bit bitmap.
Bitmap LoadPng(const std::string& name) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  const std::string path = std::string(SKELDA_TESTDATA_DIR) + "/photos/" + name;
  if (!png_image_begin_read_from_file(&image, path.c_str())) throw std::runtime_error(path);
  image.format = PNG_FORMAT_BGR;
  std::string pixels(PNG_IMAGE_SIZE(image), '\0');
  const png_color white{255, 255, 255};
  if (!png_image_finish_read(&image, &white, pixels.data(), 0, nullptr)) {
    throw std::runtime_error(path);
  }
  Bitmap b(static_cast<int>(image.width), static_cast<int>(image.height), PixelFormat::Bit32);
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      std::memcpy(b.ScanLine(y) + 4 * x, pixels.data() + (std::size_t(y) * image.width + x) * 3, 3);
    }
  }
  return b;
}

std::string Program(Bitmap& picture, const GcodeSettings& s) {
  TQuickPixels pixels;
  pixels.Attach(picture);
  StringSink sink;
  GrblWriter(pixels, s).Write(sink);
  return sink.text;
}

// The raster lines as they were written before: G1 on every feed move, words spaced.
std::string Spaced(const std::string& program) {
  std::string out;
  out.reserve(program.size() * 3 / 2);
  char last = '\n';
  for (const char c : program) {
    if (last == '\n' && c == 'X') out += "G1 ";
    if (c >= 'A' && c <= 'Z' && last != '\n' && last != ' ') out += ' ';
    out += c;
    last = c;
  }
  return out;
}

GcodeSettings Grbl(double dot, int feed) {
  GcodeSettings s;
  s.dot = dot;
  s.lineMode = true;
  s.feed = feed;
  s.machine.machine = Machine::Grbl;
  return s;
}

// form 0: as before, 1: compact, 2: compact with 200 levels, 3: with 128.
const std::string& Strip(int form) {
  static const auto programs = [] {
    Workspace ws;
    ws.StartUp(LoadPng("coffee.png"));
    ResampleToWidth(ws, "0.05", "40");
    const Bitmap& whole = ws.ShownBitmap;
    Bitmap strip(whole.Width(), 40, PixelFormat::Bit32);
    for (int y = 0; y < 40; ++y) {
      const int from = (whole.Height() - 40) / 2 + y;
      std::memcpy(strip.ScanLine(y), whole.ScanLine(from), std::size_t(whole.Width()) * 4);
    }
    GcodeSettings s = Grbl(0.05, 6000);
    s.machine.grayscale = true;
    const std::string compact = Program(strip, s);
    s.machine.powerLevels = 200;
    const std::string fewer = Program(strip, s);
    s.machine.powerLevels = 128;
    return std::array<std::string, 4>{Spaced(compact), compact, fewer, Program(strip, s)};
  }();
  return programs[static_cast<std::size_t>(form)];
}

const std::string& Horse(bool gaps) {
  static const auto programs = [] {
    Workspace ws;
    ws.StartUp(LoadPng("horse.png"));
    ThresholdCommand(ws, 128);
    GcodeSettings s = Grbl(0.1, 1500);
    const std::string plain = Program(ws.ShownBitmap, s);
    s.machine.rapidGapMm = 1;
    return std::array<std::string, 2>{plain, Program(ws.ShownBitmap, s)};
  }();
  return programs[gaps ? 1 : 0];
}

ProgramReader Plan(const std::string& program, double accel, double baud) {
  SimulationSettings s;
  s.dot = 1;
  s.motion.acceleration.fill(accel);
  s.motion.baud = baud;
  ProgramReader reader(s);
  reader.Feed(program.data(), program.size());
  reader.Finish();
  return reader;
}

// The highest byte rate a row asks of the line when run at the endless line's pace.
double PeakDemand(const std::string& program, double accel) {
  const std::size_t body = program.find("G0");
  const std::string head = program.substr(0, body);
  double peak = 0;
  for (std::size_t at = body; at < program.size();) {
    std::size_t next = program.find("\nG0", at + 1);
    next = next == std::string::npos ? program.size() : next + 1;
    const std::string row = program.substr(at, next - at);
    const double seconds = Plan(head + row, accel, 0).Seconds();
    if (row.find('S') != std::string::npos) peak = std::max(peak, double(row.size()) / seconds);
    at = next;
  }
  return peak;
}

void Report(benchmark::State& state, const std::string& program, double accel, double baud) {
  double seconds = 0, endless = 0;
  for (auto _ : state) {
    const ProgramReader reader = Plan(program, accel, baud);
    seconds = reader.Seconds();
    endless = reader.EndlessSeconds();
  }
  state.counters["job_s"] = seconds;
  state.counters["endless_s"] = endless;
  state.counters["x_endless"] = seconds / endless;
  state.counters["kB"] = double(program.size()) / 1000;
  state.counters["line_kBps"] = baud / 10 / 1000;
  state.counters["line_only_x"] = double(program.size()) * 10 / baud / endless;
}

// Arguments: acceleration, baud, form.
void BM_StripJobTime(benchmark::State& state) {
  const std::string& program = Strip(int(state.range(2)));
  Report(state, program, double(state.range(0)), double(state.range(1)));
  state.counters["peak_kBps"] = PeakDemand(program, double(state.range(0))) / 1000;
}

// Argument: rapid gaps (0 or 1 mm).
void BM_HorseJobTime(benchmark::State& state) {
  Report(state, Horse(state.range(0) != 0), 1000, 115200);
}

BENCHMARK(BM_StripJobTime)
    ->ArgsProduct({{1000, 4000}, {115200}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_HorseJobTime)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace skelda
