#include "cli/cli_send.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <mutex>

#include "cli/terminal_keys.h"
#include "core/errors.h"
#include "core/file_bytes.h"
#include "machine/job_plan.h"
#include "machine/port_list.h"
#include "machine/safe_stop.h"

namespace skelda::cli {

namespace {

std::string Clock(double seconds) {
  const long s = std::lround(std::max(0.0, seconds));
  char text[32];
  if (s >= 3600) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
  }
  return text;
}

// Prints what the session tells, on standard error; the progress line when on a terminal.
class Watcher : public SessionListener {
 public:
  explicit Watcher(bool bar) : bar_(bar) {}

  void OnProgress(const JobProgress& p) override {
    std::lock_guard lock(mutex_);
    progress_ = p;
    fresh_ = true;
  }
  void OnHeld(bool held) override { Say(held ? "held: beam off (space resumes)" : "resumed"); }
  void OnMessage(const std::string& line) override { Say("controller: " + line); }

  // At most four times a second, from the main thread.
  void Draw() {
    std::lock_guard lock(mutex_);
    if (!bar_ || !fresh_) return;
    fresh_ = false;
    std::fprintf(stderr, "\r%s\033[K", ProgressLine(progress_, 30).c_str());
    drawn_ = true;
  }
  void EndLine() {
    std::lock_guard lock(mutex_);
    if (drawn_) std::fputs("\n", stderr);
    drawn_ = false;
  }

 private:
  void Say(const std::string& text) {
    std::lock_guard lock(mutex_);
    std::fprintf(stderr, "%s%s\n", drawn_ ? "\r\033[K" : "", text.c_str());
    fresh_ = true;
  }

  bool bar_;
  std::mutex mutex_;
  JobProgress progress_;
  bool fresh_ = false, drawn_ = false;
};

int StatusOf(JobEnd end) {
  switch (end) {
    case JobEnd::Finished:
      return kFinished;
    case JobEnd::Stopped:
      return kStopped;
    case JobEnd::Halted:
      return kHalted;
    case JobEnd::Lost:
      return kLost;
    case JobEnd::Refused:
      return kRefused;
  }
  return kRefused;
}

void Key(MachineSession& session, int key, bool& paused) {
  switch (key) {
    case ' ':
      paused ? session.Resume() : session.Pause();
      paused = !paused;
      break;
    case 'q':
    case 'Q':
    case 0x03:
      session.Stop();
      break;
    case '+':
      session.FeedOverride(Override::Plus10);
      break;
    case '-':
      session.FeedOverride(Override::Minus10);
      break;
    case '=':
      session.FeedOverride(Override::Reset);
      break;
    case ']':
      session.PowerOverride(Override::Plus10);
      break;
    case '[':
      session.PowerOverride(Override::Minus10);
      break;
    case '\\':
      session.PowerOverride(Override::Reset);
      break;
    default:
      break;
  }
}

}  // namespace

std::string ProgressLine(const JobProgress& p, int width) {
  const double fraction = p.Fraction();
  const std::size_t filled = std::size_t(fraction * width);
  std::string bar(std::size_t(width) + 2, '.');
  bar.front() = '[';
  bar.back() = ']';
  bar.replace(1, filled, filled, '#');
  char text[160];
  std::snprintf(text, sizeof text, "%s %3d%%  row %d of %d  %s elapsed  %s left%s", bar.c_str(),
                int(fraction * 100), p.row, p.rows, Clock(p.elapsed).c_str(),
                Clock(p.remaining).c_str(),
                p.checking ? "  (check mode)"
                : p.held   ? "  (held)"
                           : "");
  return text;
}

bool IsPictureFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char head[2] = {0, 0};
  in.read(head, 2);
  return (head[0] == 'B' && head[1] == 'M') || (static_cast<unsigned char>(head[0]) == 0xFF &&
                                                static_cast<unsigned char>(head[1]) == 0xD8);
}

int ListPortsCommand() {
  const auto ports = ListPorts();
  if (ports.empty()) std::fputs("no serial ports found\n", stderr);
  for (const auto& p : ports) std::printf("%s\n", PortLine(p).c_str());
  return 0;
}

int SendProgram(const Options& o, const std::string& programPath) {
  const std::string program = ReadProgramText(programPath);
  // Bad input is refused before anything is opened.
  PlanJob(program, MotionSettings());
  InstallSafeStop();
  Watcher watcher(!o.quiet && ::isatty(STDERR_FILENO));
  MachineSession session(&watcher);
  ConnectOptions connect;
  connect.port = *o.send;
  connect.baud = static_cast<int>(o.motion.baud);
  if (o.log) connect.logPath = *o.log;
  const ControllerInfo info = session.ConnectAndWait(connect);
  if (!o.quiet) {
    std::fprintf(stderr, "connected to %s: %s, receive buffer %d bytes\n", connect.port.c_str(),
                 info.welcome.c_str(), info.receiveBuffer);
  }
  if (o.unlock) session.Unlock();
  if (o.home) session.Home();
  JobPlan plan = o.fromRow ? ResumeFromRow(program, *o.fromRow, info.Motion())
                           : PlanJob(program, info.Motion());
  if (!o.quiet) {
    std::fprintf(stderr, "%zu lines, %d %s, planned %s%s\n", plan.lines.size(), plan.rows,
                 plan.rows == 1 ? "row" : "rows", Clock(plan.seconds).c_str(),
                 plan.timed ? "" : " (not planned: unknown commands)");
  }
  TerminalKeys keys;
  if (keys.Active() && !o.quiet) {
    std::fputs("space pauses and resumes, q stops, +/- feed, ]/[ power\n", stderr);
  }
  session.StartJob(std::move(plan), o.check);
  bool paused = false;
  while (session.JobRunning()) {
    Key(session, keys.Next(250), paused);
    watcher.Draw();
  }
  const JobReport report = session.WaitForJob();
  watcher.Draw();
  watcher.EndLine();
  std::fprintf(stderr, "%s\n", report.message.c_str());
  return StatusOf(report.end);
}

}  // namespace skelda::cli
