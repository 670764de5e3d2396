// Streaming to a controller paced at 115200 baud (86.8 µs a byte): the sender must keep the
// link busy. The fake controller runs in a child process, so the process CPU time measured is
// the sender's alone. Beside character counting, GRBL's send-and-wait protocol on the same
// kind of program, and the floor: the bytes at the link's rate.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "machine/session.h"
#include "support/fake_grbl.h"

namespace {

constexpr int kBaud = 115200;
constexpr double kSecondsPerByte = 10.0 / kBaud;

// A grayscale raster: one power word a dot, as long as `bytes`.
std::string Raster(std::size_t bytes) {
  std::string p = "G21\nG90\nM4 S0\nG1 F6000\n";
  char line[48];
  for (int row = 0; p.size() < bytes; ++row) {
    std::snprintf(line, sizeof line, "G0 X0 Y%d.%d\n", row / 10, row % 10);
    p += line;
    for (int dot = 1; dot <= 500 && p.size() < bytes; ++dot) {
      std::snprintf(line, sizeof line, "G1 X%d.%d S%d\n", dot / 10, dot % 10,
                    (dot * 37 + row) % 1000);
      p += line;
    }
  }
  return p + "M5\n";
}

// The fake in a child process; its port's path comes back through a pipe.
struct ChildGrbl {
  pid_t pid = -1;
  std::string path;
  ChildGrbl() {
    int fds[2];
    if (::pipe(fds) != 0) return;
    pid = ::fork();
    if (pid == 0) {
      ::close(fds[0]);
      skelda::testing::FakeGrblOptions o;
      o.baud = kBaud;
      o.speed = 1e6;  // motion never the limit: the link is
      skelda::testing::FakeGrbl grbl(o);
      const std::string p = grbl.Path() + "\n";
      [[maybe_unused]] ssize_t n = ::write(fds[1], p.data(), p.size());
      for (;;) ::pause();
    }
    ::close(fds[1]);
    char buffer[256];
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
    ::close(fds[0]);
    if (n > 1) path.assign(buffer, std::size_t(n - 1));
  }
  ~ChildGrbl() {
    if (pid > 0) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
  }
};

void Stream(benchmark::State& state, bool sendAndWait) {
  const std::string program = Raster(std::size_t(state.range(0)));
  const skelda::JobPlan plan = skelda::PlanJob(program, {});
  for (auto _ : state) {
    ChildGrbl grbl;
    skelda::SessionListener quiet;
    skelda::MachineSession session(&quiet);
    skelda::ConnectOptions c;
    c.port = grbl.path;
    c.sendAndWait = sendAndWait;
    session.ConnectAndWait(c);
    const auto start = std::chrono::steady_clock::now();
    session.StartJob(plan);
    const skelda::JobReport r = session.WaitForJob();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (r.end != skelda::JobEnd::Finished) state.SkipWithError(r.message.c_str());
    state.SetIterationTime(seconds);
  }
  state.SetBytesProcessed(std::int64_t(plan.bytes) * state.iterations());
  state.counters["link_s"] = double(plan.bytes) * kSecondsPerByte;
}

void BM_StreamCharacterCounting(benchmark::State& state) {
  Stream(state, false);
}
void BM_StreamSendAndWait(benchmark::State& state) {
  Stream(state, true);
}

// The floor: every byte of the program at the link's rate, nothing else.
void BM_LinkFloor(benchmark::State& state) {
  const skelda::JobPlan plan = skelda::PlanJob(Raster(std::size_t(state.range(0))), {});
  for (auto _ : state) state.SetIterationTime(double(plan.bytes) * kSecondsPerByte);
}

constexpr std::int64_t k2MB = 2 << 20;
constexpr std::int64_t k256kB = 256 << 10;

BENCHMARK(BM_LinkFloor)
    ->Arg(k2MB)
    ->Arg(k256kB)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamCharacterCounting)
    ->Arg(k2MB)
    ->Arg(k256kB)
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamSendAndWait)
    ->Arg(k256kB)
    ->UseManualTime()
    ->MeasureProcessCPUTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
