// Writing the G-code program of a Floyd–Steinberg-dithered 6000 x 4000 picture to /dev/null in
// both modes, and the GRBL line and grayscale programs (the latter of the undithered photo),
// each beside the floor of fwrite-ing the same lines of constant text; and reading the classic
// dot program back into its burn picture, beside writing it.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/bitmap.h"
#include "core/quick_pixels.h"
#include "core/workspace.h"
#include "gcode/gcode_writer.h"
#include "processing/processing_commands.h"
#include "simulation/program_reader.h"

namespace skelda {
namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// A photo-like grey picture (gradients with ripples).
Bitmap MakeGreyPicture() {
  Bitmap grey(kWidth, kHeight, PixelFormat::Bit32);
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = grey.ScanLine(y);
    for (int x = 0; x < kWidth; ++x) {
      const double g = 127.5 + 60 * std::sin(x / 300.0) * std::cos(y / 210.0) +
                       60 * (x + y - (kWidth + kHeight) / 2.0) / (kWidth + kHeight);
      row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = static_cast<std::uint8_t>(g);
    }
  }
  return grey;
}

// The grey picture dithered by "Точками".
Bitmap MakeDitheredPicture() {
  Workspace ws;
  ws.StartUp(MakeGreyPicture());
  DitherCommand(ws);
  return std::move(ws.ShownBitmap);
}

Bitmap& Picture() {
  static Bitmap picture = MakeDitheredPicture();
  return picture;
}

Bitmap& Photo() {
  static Bitmap picture = MakeGreyPicture();
  return picture;
}

enum class Program { ClassicDots, ClassicLines, GrblLines, GrblGrayscale };

GcodeSettings SettingsFor(Program program) {
  GcodeSettings settings;
  settings.lineMode = program != Program::ClassicDots;
  if (program == Program::GrblLines || program == Program::GrblGrayscale) {
    settings.machine.machine = Machine::Grbl;
    settings.machine.overscanMm = 2;
    settings.machine.grayscale = program == Program::GrblGrayscale;
  }
  return settings;
}

Bitmap& PictureFor(Program program) {
  return program == Program::GrblGrayscale ? Photo() : Picture();
}

struct Totals {
  std::uint64_t bytes = 0;
  std::uint64_t lines = 0;
};

// Counts what goes through without keeping it.
class CountingSink : public GcodeSink {
 public:
  void Write(const char* data, std::size_t size) override {
    totals.bytes += size;
    for (std::size_t i = 0; i < size; ++i) totals.lines += data[i] == '\n';
  }
  Totals totals;
};

Totals ProgramSize(Program program) {
  TQuickPixels pixels;
  pixels.Attach(PictureFor(program));
  CountingSink sink;
  WriteGcodeProgram(pixels, SettingsFor(program), sink);
  return sink.totals;
}

void SetRates(benchmark::State& state, const Totals& t) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.bytes));
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.iterations() * t.lines),
                                                 benchmark::Counter::kIsRate);
  state.counters["MB"] = static_cast<double>(t.bytes) / 1e6;
}

void WriteProgram(benchmark::State& state, Program program) {
  const Totals totals = ProgramSize(program);
  const int fd = ::open("/dev/null", O_WRONLY);
  TQuickPixels pixels;
  pixels.Attach(PictureFor(program));
  const GcodeSettings settings = SettingsFor(program);
  for (auto _ : state) {
    FileDescriptorSink sink(fd, "/dev/null");
    benchmark::DoNotOptimize(WriteGcodeProgram(pixels, settings, sink));
  }
  ::close(fd);
  SetRates(state, totals);
}

// The floor: the same number of lines and bytes of one constant line, each line one fwrite.
void FwriteFloor(benchmark::State& state, Program program) {
  const Totals totals = ProgramSize(program);
  const std::size_t length = totals.bytes / totals.lines;
  const std::string line = std::string(length - 2, '7') + "\r\n";
  const std::string rest(totals.bytes - length * totals.lines, '7');
  std::FILE* out = std::fopen("/dev/null", "wb");
  for (auto _ : state) {
    for (std::uint64_t i = 0; i < totals.lines; ++i) std::fwrite(line.data(), 1, length, out);
    std::fwrite(rest.data(), 1, rest.size(), out);
    std::fflush(out);
  }
  std::fclose(out);
  SetRates(state, totals);
}

// The program text is made once; each run reads it as one piece, as a file is read in pieces.
void Preview(benchmark::State& state, bool withTime) {
  TQuickPixels pixels;
  pixels.Attach(Picture());
  StringSink program;
  WriteGcodeProgram(pixels, GcodeSettings{}, program);
  SimulationSettings settings;
  settings.width = kWidth;
  settings.height = kHeight;
  settings.withTime = withTime;
  for (auto _ : state) {
    ProgramReader reader(settings);
    reader.Feed(program.text.data(), program.text.size());
    reader.Finish();
    benchmark::DoNotOptimize(reader.Picture().At(0, 0));
  }
  state.counters["MB"] = static_cast<double>(program.text.size()) / 1e6;
}

void BM_PreviewDotMode(benchmark::State& state) {
  Preview(state, false);
}
void BM_PreviewAndTimeDotMode(benchmark::State& state) {
  Preview(state, true);
}

void BM_GcodeDotMode(benchmark::State& state) {
  WriteProgram(state, Program::ClassicDots);
}
void BM_GcodeLineMode(benchmark::State& state) {
  WriteProgram(state, Program::ClassicLines);
}
void BM_GrblLineMode(benchmark::State& state) {
  WriteProgram(state, Program::GrblLines);
}
void BM_GrblGrayscale(benchmark::State& state) {
  WriteProgram(state, Program::GrblGrayscale);
}
void BM_FwriteFloorDotMode(benchmark::State& state) {
  FwriteFloor(state, Program::ClassicDots);
}
void BM_FwriteFloorLineMode(benchmark::State& state) {
  FwriteFloor(state, Program::ClassicLines);
}
void BM_FwriteFloorGrblLineMode(benchmark::State& state) {
  FwriteFloor(state, Program::GrblLines);
}
void BM_FwriteFloorGrblGrayscale(benchmark::State& state) {
  FwriteFloor(state, Program::GrblGrayscale);
}

BENCHMARK(BM_GcodeDotMode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FwriteFloorDotMode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeLineMode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewDotMode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewAndTimeDotMode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FwriteFloorLineMode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrblLineMode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FwriteFloorGrblLineMode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrblGrayscale)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FwriteFloorGrblGrayscale)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skelda
