// The whole skelda-cli run on a 6000 x 4000 JPEG (load, Floyd–Steinberg, the dot program into
// a file), as its own process, beside the floors of its three passes: libjpeg's own decode into
// touched rows, the dithering pass between touched bitmaps, and fwrite-ing as many lines of
// constant text as the program has into a file of the same folder, flushed to the disk.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/workspace.h"
#include "intake/jpeg_decoder.h"
#include "photo_jpeg.h"
#include "processing/error_diffusion.h"

extern char** environ;

namespace skelda {
namespace {

const testing::ScratchFolder& Folder() {
  static const testing::ScratchFolder folder;
  return folder;
}

std::string PhotoPath() {
  static const std::string path = [] {
    const std::string p = Folder().File("photo.jpg");
    testing::WriteBytes(p, bench::PhotoJpeg());
    return p;
  }();
  return path;
}

bool RunCli(const std::string& output) {
  std::vector<std::string> args = {SKELDA_CLI_PATH, PhotoPath(), "-o", output};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return failed == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

double ChildrenCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The run's own processor time (its process, not this one) is the counter cpu_ms.
void BM_CliRun(benchmark::State& state) {
  const std::string output = Folder().File("photo.nc");
  const double before = ChildrenCpuMs();
  for (auto _ : state) {
    if (!RunCli(output)) state.SkipWithError("skelda-cli failed");
  }
  state.counters["cpu_ms"] = (ChildrenCpuMs() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CliRun)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FloorLibjpegDecode(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = bench::PhotoJpeg();
  std::vector<std::uint8_t> buffer(std::size_t(bench::kPhotoWidth) * 4 * bench::kPhotoHeight);
  for (auto _ : state) {
    bench::LibjpegDecode(file, buffer.data(), std::size_t(bench::kPhotoWidth) * 4);
    benchmark::DoNotOptimize(buffer.data());
  }
}
BENCHMARK(BM_FloorLibjpegDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FloorDitherPass(benchmark::State& state) {
  const Bitmap photo = DecodeJpeg(bench::PhotoJpeg().data(), bench::PhotoJpeg().size());
  Bitmap dithered = photo;
  for (auto _ : state) {
    DiffusionPass(photo, dithered, DiffusionRule::Fixed128());
    benchmark::DoNotOptimize(dithered.Bits());
  }
}
BENCHMARK(BM_FloorDitherPass)->Unit(benchmark::kMillisecond)->UseRealTime();

// The program skelda-cli writes, counted once: its bytes and lines.
struct ProgramSize {
  std::size_t bytes = 0, lines = 0;
};

ProgramSize CliProgramSize() {
  const std::string output = Folder().File("size.nc");
  if (!RunCli(output)) return {};
  const std::vector<std::uint8_t> text = testing::ReadBytes(output);
  ProgramSize size{text.size(), 0};
  for (const std::uint8_t c : text) size.lines += c == '\n';
  std::remove(output.c_str());
  return size;
}

// The floor the program writers are held against: as many lines of constant text, each line
// one fwrite, then to the disk as a finished program file goes.
void BM_FloorProgramFwrite(benchmark::State& state) {
  static const ProgramSize size = CliProgramSize();
  if (size.lines == 0) return state.SkipWithError("skelda-cli failed");
  const std::size_t length = size.bytes / size.lines;
  const std::string line = std::string(length - 2, '7') + "\r\n";
  const std::string rest(size.bytes - length * size.lines, '7');
  const std::string path = Folder().File("floor.nc");
  for (auto _ : state) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    for (std::size_t i = 0; i < size.lines; ++i) std::fwrite(line.data(), 1, length, out);
    std::fwrite(rest.data(), 1, rest.size(), out);
    std::fflush(out);
    ::fsync(fileno(out));
    std::fclose(out);
  }
  state.counters["MB"] = static_cast<double>(size.bytes) / 1e6;
}
BENCHMARK(BM_FloorProgramFwrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// Below that, the bytes alone, a megabyte a write, to the disk.
void BM_FloorProgramWrite(benchmark::State& state) {
  static const ProgramSize size = CliProgramSize();
  if (size.lines == 0) return state.SkipWithError("skelda-cli failed");
  const std::string chunk(std::size_t(1) << 20, '7');
  const std::string path = Folder().File("floor.nc");
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (std::size_t left = size.bytes; left > 0;) {
      const ssize_t n = ::write(fd, chunk.data(), std::min(left, chunk.size()));
      if (n <= 0) return state.SkipWithError("cannot write the floor's file");
      left -= static_cast<std::size_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
  }
  state.counters["MB"] = static_cast<double>(size.bytes) / 1e6;
}
BENCHMARK(BM_FloorProgramWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace skelda
