#include "support/fake_grbl.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <tuple>

namespace skelda::testing {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kRing = 128;
constexpr std::size_t kPlanner = 15;
constexpr std::size_t kLine = 80;  // with its end
constexpr double kHoldSeconds = 0.05;
const char kWelcome[] = "Grbl 1.1h ['$' for help]";

const std::map<int, double> kDefaults = {
    {0, 10},     {1, 25},     {2, 0},      {3, 0},     {4, 0},      {5, 0},      {6, 0},
    {10, 1},     {11, 0.010}, {12, 0.002}, {13, 0},    {20, 0},     {21, 0},     {22, 0},
    {23, 0},     {24, 25},    {25, 500},   {26, 250},  {27, 1},     {30, 1000},  {31, 0},
    {32, 1},     {100, 80},   {101, 80},   {102, 80},  {110, 6000}, {111, 6000}, {112, 500},
    {120, 1000}, {121, 1000}, {122, 10},   {130, 400}, {131, 400},  {132, 200}};

}  // namespace

FakeGrbl::FakeGrbl(FakeGrblOptions options) : options_(std::move(options)) {
  settings_ = kDefaults;
  for (const auto& [n, v] : options_.settings) settings_[n] = v;
  int slave = -1;
  char name[128];
  if (::openpty(&master_, &slave, name, nullptr, nullptr) != 0) {
    throw std::runtime_error("openpty failed");
  }
  path_ = name;
  // Raw from the start, so nothing the fake says is echoed or translated before the sender
  // sets the port up; the slave is then closed, and the master sees a hang-up until it opens.
  termios t{};
  ::tcgetattr(slave, &t);
  ::cfmakeraw(&t);
  ::tcsetattr(slave, TCSANOW, &t);
  ::close(slave);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  thread_ = std::thread([this] { Serve(); });
}

FakeGrbl::~FakeGrbl() {
  quit_ = true;
  thread_.join();
  if (master_ >= 0) ::close(master_);
}

std::vector<std::string> FakeGrbl::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}
std::vector<std::string> FakeGrbl::Executed() const {
  std::lock_guard lock(mutex_);
  return executed_;
}

std::vector<std::string> FakeGrbl::Completed() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < executed_.size(); ++i) {
    if (!unfinished_.count(i)) lines.push_back(executed_[i]);
  }
  return lines;
}

void FakeGrbl::DropPlanned() {
  for (const Block& b : planner_) unfinished_.insert(b.line);
  planner_.clear();
}
std::size_t FakeGrbl::Dropped() const {
  std::lock_guard lock(mutex_);
  return dropped_;
}
std::size_t FakeGrbl::Overlong() const {
  std::lock_guard lock(mutex_);
  return overlong_;
}
std::string FakeGrbl::Realtime() const {
  std::lock_guard lock(mutex_);
  return realtime_;
}
int FakeGrbl::Alarms() const {
  std::lock_guard lock(mutex_);
  return alarms_;
}
int FakeGrbl::Resets() const {
  std::lock_guard lock(mutex_);
  return resets_;
}
bool FakeGrbl::LaserModalOn() const {
  std::lock_guard lock(mutex_);
  return laser_ != 5;
}
bool FakeGrbl::BeamOn() const {
  std::lock_guard lock(mutex_);
  return mode_ == Mode::Run && !planner_.empty() && planner_.front().power > 0;
}
std::string FakeGrbl::State() const {
  std::lock_guard lock(mutex_);
  const std::string s = Status();
  return s.substr(1, s.find('|') - 1);
}

double FakeGrbl::Setting(int n) const {
  const auto it = settings_.find(n);
  return it == settings_.end() ? 0 : it->second;
}

void FakeGrbl::Send(const std::string& text) {
  if (closed_ || silent_ || !options_.answers) return;
  const std::string bytes = text + "\r\n";
  // A line nobody reads is lost, as on a serial wire with nothing at the other end.
  [[maybe_unused]] const ssize_t n = ::write(master_, bytes.data(), bytes.size());
}

bool FakeGrbl::Moving() const {
  return (mode_ == Mode::Run || mode_ == Mode::Jog || (mode_ == Mode::Hold && !holdComplete_)) &&
         !planner_.empty();
}

void FakeGrbl::Boot() {
  Send(kWelcome);
  if (mode_ == Mode::Alarm) Send("[MSG:'$H'|'$X' to unlock]");
}

void FakeGrbl::Reset() {
  ++resets_;
  const bool lost = Moving();
  ring_.clear();
  lineBuffer_.clear();
  haveWaiting_ = false;
  DropPlanned();
  holdComplete_ = false;
  critical_ = false;
  laser_ = 5;
  rapid_ = true;
  relative_ = false;
  inches_ = false;
  feedOverride_ = powerOverride_ = 100;
  if (lost) {
    Send("ALARM:3");
    ++alarms_;
    mode_ = Mode::Alarm;
  } else if (mode_ != Mode::Alarm) {
    mode_ = Mode::Idle;
  }
  Boot();
}

void FakeGrbl::Serve() {
  bool open = false;
  Clock::time_point openedAt, last = Clock::now();
  bool booted = false;
  double credit = 0;
  while (!quit_) {
    pollfd pfd{master_, POLLIN, 0};
    ::poll(&pfd, 1, 1);
    const bool hangUp = (pfd.revents & POLLHUP) != 0;
    // With nobody on the port, poll reports the hang-up at once: wait instead of spinning.
    if (hangUp) ::usleep(1000);
    const auto now = Clock::now();
    const double dt = std::chrono::duration<double>(now - last).count();
    last = now;
    std::lock_guard lock(mutex_);
    if (closed_) continue;
    if (hangUp) {
      open = false;
      continue;
    }
    if (!open) {
      // The sender opened the port: the board restarts, as DTR makes an Arduino do.
      open = true;
      booted = false;
      openedAt = now;
      ring_.clear();
      DropPlanned();
      x_ = y_ = 0;
      mode_ = options_.startInAlarm ? Mode::Alarm : Mode::Idle;
    }
    if (!booted && now - openedAt > std::chrono::milliseconds(50)) {
      booted = true;
      Boot();
    }
    if (silent_ && closeAt_ && now > *closeAt_) closed_ = true;
    if (closed_) {
      ::close(master_);
      master_ = -1;
      continue;
    }
    if (silent_) continue;
    std::size_t allowed = 4096;
    if (options_.baud > 0) {
      // The wire is busy while bytes wait: they arrive at its rate however late the fake
      // looks, and an idle wire saves up nothing.
      credit = (pfd.revents & POLLIN) ? std::min(credit + dt * options_.baud / 10.0, 4096.0) : 0;
      allowed = std::size_t(credit);
    }
    if (allowed == 0 && (pfd.revents & POLLIN)) {
      ::usleep(200);  // the next byte is still on the wire: no need to spin for it
    } else if (allowed > 0 && (pfd.revents & POLLIN)) {
      unsigned char buffer[4096];
      const ssize_t n = ::read(master_, buffer, allowed);
      if (n > 0) {
        if (options_.baud > 0) credit -= double(n);
        for (ssize_t i = 0; i < n && !closed_ && !silent_; ++i) TakeByte(buffer[i]);
      }
    }
    Advance(dt * options_.speed);
    ProcessRing();
  }
}

void FakeGrbl::TakeByte(unsigned char byte) {
  if (byte == '?' || byte == '!' || byte == '~' || byte == 0x18 || byte >= 0x80) {
    realtime_ += char(byte);
    return OnRealtime(byte);
  }
  if (!options_.answers) return;
  if (ring_.size() >= kRing) {
    ++dropped_;
    return;
  }
  ring_.push_back(byte);
}

void FakeGrbl::OnRealtime(unsigned char byte) {
  if (!options_.answers) return;
  switch (byte) {
    case '?':
      Send(Status());
      break;
    case '!':
      if (mode_ == Mode::Run || mode_ == Mode::Idle) {
        holdComplete_ = planner_.empty();
        holdLeft_ = kHoldSeconds;
        mode_ = Mode::Hold;
      }
      break;
    case '~':
      if (mode_ == Mode::Hold && holdComplete_) mode_ = planner_.empty() ? Mode::Idle : Mode::Run;
      break;
    case 0x18:
      Reset();
      break;
    case 0x85:
      if (mode_ == Mode::Jog) {
        DropPlanned();
        mode_ = Mode::Idle;
      }
      break;
    case 0x90:
      feedOverride_ = 100;
      break;
    case 0x91:
      feedOverride_ = std::min(200, feedOverride_ + 10);
      break;
    case 0x92:
      feedOverride_ = std::max(10, feedOverride_ - 10);
      break;
    case 0x99:
      powerOverride_ = 100;
      break;
    case 0x9A:
      powerOverride_ = std::min(200, powerOverride_ + 10);
      break;
    case 0x9B:
      powerOverride_ = std::max(10, powerOverride_ - 10);
      break;
    default:
      break;
  }
}

void FakeGrbl::Advance(double seconds) {
  if (mode_ == Mode::Hold && !holdComplete_) {
    holdLeft_ -= seconds;
    if (holdLeft_ <= 0) holdComplete_ = true;
    return;
  }
  if (mode_ != Mode::Run && mode_ != Mode::Jog) return;
  while (seconds > 0 && !planner_.empty()) {
    Block& b = planner_.front();
    double step;
    if (b.dwell > 0) {
      step = std::min(seconds, b.dwell - b.done);
    } else {
      const double speed = b.feed * feedOverride_ / 100.0 / 60.0;
      step = std::min(seconds, (b.length - b.done) / speed);
      const double ran = step * speed;
      if (b.length > 0) {
        x_ += b.dx * ran / b.length;
        y_ += b.dy * ran / b.length;
      }
    }
    b.done += b.dwell > 0 ? step : step * b.feed * feedOverride_ / 100.0 / 60.0;
    seconds -= step;
    if (b.done >= (b.dwell > 0 ? b.dwell : b.length) - 1e-12) planner_.pop_front();
  }
  if (planner_.empty()) mode_ = Mode::Idle;
}

std::string FakeGrbl::Status() const {
  const char* names[] = {"Idle", "Run", "Hold", "Jog", "Alarm", "Check", "Home"};
  std::string state = names[int(mode_)];
  if (mode_ == Mode::Hold) state += holdComplete_ ? ":0" : ":1";
  const bool burning = mode_ == Mode::Run && !planner_.empty() && planner_.front().power > 0;
  const double power =
      burning ? std::min(planner_.front().power * powerOverride_ / 100.0, Setting(30)) : 0;
  const double feed = (mode_ == Mode::Run || mode_ == Mode::Jog) && !planner_.empty()
                          ? planner_.front().feed * feedOverride_ / 100.0
                          : 0;
  char text[256];
  std::snprintf(text, sizeof text, "<%s|MPos:%.3f,%.3f,0.000|Bf:%d,%d|FS:%.0f,%.0f", state.c_str(),
                x_ + 0.0, y_ + 0.0, int(kPlanner - planner_.size()), int(kRing - ring_.size()),
                feed, power);
  std::string s = text;
  if (reports_++ % 10 == 0) {
    std::snprintf(text, sizeof text, "|WCO:%.3f,%.3f,0.000", wcoX_, wcoY_);
    s += text;
  }
  std::snprintf(text, sizeof text, "|Ov:%d,100,%d>", feedOverride_, powerOverride_);
  return s + text;
}

void FakeGrbl::ProcessRing() {
  if (critical_) return;  // waits for a reset
  for (;;) {
    if (!haveWaiting_) {
      // GRBL reads characters into its line buffer; a line longer than it is flagged.
      bool complete = false;
      while (!ring_.empty()) {
        const char c = char(ring_.front());
        ring_.pop_front();
        if (c == '\n' || c == '\r') {
          complete = true;
          break;
        }
        lineBuffer_ += c;
      }
      if (!complete) return;
      if (lineBuffer_.empty()) continue;
      waiting_ = std::move(lineBuffer_);
      lineBuffer_.clear();
      haveWaiting_ = true;
    }
    if (planner_.size() >= kPlanner) return;  // the line waits, and so does the ok
    haveWaiting_ = false;
    Execute(waiting_);
    if (closed_ || silent_ || critical_) return;
  }
}

void FakeGrbl::Execute(const std::string& line) {
  lines_.push_back(line);
  ++taken_;
  if (taken_ == options_.closeAt) {
    // The answers already on the wire arrive first; then the cable is pulled.
    closeAt_ = Clock::now() + std::chrono::milliseconds(100);
    silent_ = true;
    return;
  }
  if (taken_ == options_.silentAt) {
    silent_ = true;
    return;
  }
  if (taken_ == options_.resetAt) return Reset();
  if (line.size() + 1 > kLine) {
    ++overlong_;
    return Send("error:11");
  }
  if (taken_ == options_.errorAt) return Send("error:" + std::to_string(options_.errorCode));
  std::string answer;
  if (line[0] == '$') {
    if (line == "$I") {
      Send("[VER:1.1h.20190825:]");
      if (!options_.options.empty()) Send("[OPT:" + options_.options + "]");
    } else if (line == "$$") {
      for (const auto& [n, v] : settings_) {
        char text[64];
        std::snprintf(text, sizeof text, "$%d=%g", n, v);
        Send(text);
      }
    } else if (line == "$C") {
      if (mode_ == Mode::Check) {
        Send("[MSG:Disabled]");
        Send("ok");
        mode_ = Mode::Idle;
        return Reset();
      }
      if (mode_ != Mode::Idle) return Send("error:8");
      mode_ = Mode::Check;
      Send("[MSG:Enabled]");
    } else if (line == "$X") {
      if (mode_ == Mode::Alarm) {
        Send("[MSG:Caution: Unlocked]");
        mode_ = Mode::Idle;
      }
    } else if (line == "$H") {
      if (Setting(22) == 0) return Send("error:5");
      x_ = y_ = 0;
      mode_ = Mode::Idle;
    } else if (line.rfind("$J=", 0) == 0) {
      if (mode_ != Mode::Idle && mode_ != Mode::Jog) return Send("error:8");
      // A jog leaves the program's modal state as it was.
      const auto saved = std::tuple(inches_, relative_, rapid_, feed_, power_, laser_);
      const Mode before = mode_;
      answer = Gcode("G1" + line.substr(3));
      std::tie(inches_, relative_, rapid_, feed_, power_, laser_) = saved;
      if (answer.empty() && !planner_.empty()) mode_ = Mode::Jog;
      if (before == Mode::Idle && planner_.empty()) mode_ = Mode::Idle;
    } else if (line.find('=') != std::string::npos) {
      settings_[std::atoi(line.c_str() + 1)] = std::atof(line.c_str() + line.find('=') + 1);
    } else {
      return Send("error:3");
    }
    return Send(answer.empty() ? "ok" : answer);
  }
  if (mode_ == Mode::Alarm) return Send("error:9");
  answer = Gcode(line);
  if (answer.empty() && mode_ != Mode::Check) executed_.push_back(line);
  if (answer.empty() && taken_ == options_.alarmAt) {
    Send("ok");
    DropPlanned();
    mode_ = Mode::Alarm;
    critical_ = true;
    ++alarms_;
    Send("ALARM:" + std::to_string(options_.alarmCode));
    return Send("[MSG:Reset to continue]");
  }
  Send(answer.empty() ? "ok" : answer);
}

// Runs one G-code line; returns "" for ok or the error line.
std::string FakeGrbl::Gcode(const std::string& raw) {
  std::string line;
  for (char c : raw) {
    if (c != ' ') line += char(std::toupper(static_cast<unsigned char>(c)));
  }
  bool x = false, y = false, dwell = false, g10 = false;
  double toX = 0, toY = 0, p = 0;
  bool inches = inches_, relative = relative_, rapid = rapid_;
  double feed = feed_, power = power_;
  int laser = laser_;
  for (std::size_t i = 0; i < line.size();) {
    const char letter = line[i++];
    if (!std::isalpha(static_cast<unsigned char>(letter))) return "error:1";
    // Digits, point and sign only, as GRBL reads a number (strtod would take "0X19" as hex).
    std::size_t end = i;
    while (end < line.size() && (std::isdigit(static_cast<unsigned char>(line[end])) ||
                                 line[end] == '.' || line[end] == '-' || line[end] == '+')) {
      ++end;
    }
    if (end == i) return "error:2";
    const double value = std::strtod(line.substr(i, end - i).c_str(), nullptr);
    i = end;
    const int code = int(std::lround(value * 10));
    switch (letter) {
      case 'G':
        if (code == 0 || code == 10)
          rapid = code == 0;
        else if (code == 40)
          dwell = true;
        else if (code == 100)
          g10 = true;
        else if (code == 200 || code == 210)
          inches = code == 200;
        else if (code == 900 || code == 910)
          relative = code == 910;
        else if (code != 170 && code != 940 && code != 540)
          return "error:20";
        break;
      case 'M':
        if (code == 30 || code == 40 || code == 50)
          laser = code / 10;
        else if (code != 20 && code != 300)
          return "error:20";
        break;
      case 'X':
        x = true, toX = value;
        break;
      case 'Y':
        y = true, toY = value;
        break;
      case 'Z':
        break;
      case 'F':
        feed = value * (inches ? 25.4 : 1);
        break;
      case 'S':
        power = value;
        break;
      case 'P':
        p = value;
        break;
      case 'L':
      case 'N':
        break;
      default:
        return "error:20";
    }
  }
  if (!rapid && (x || y) && feed <= 0 && !g10) return "error:22";
  inches_ = inches, relative_ = relative, rapid_ = rapid, feed_ = feed, power_ = power;
  laser_ = laser;
  if (mode_ == Mode::Check) return "";
  if (g10) {
    if (x) wcoX_ = x_ - toX;
    if (y) wcoY_ = y_ - toY;
    return "";
  }
  if (dwell) {
    planner_.push_back({0, 0, 0, 0, 0, p, 0, executed_.size()});
  } else if (x || y) {
    // The planner's end position is where the new move starts.
    double fromX = x_, fromY = y_;
    for (const Block& b : planner_) {
      fromX += b.dx * (1 - (b.length > 0 ? b.done / b.length : 0));
      fromY += b.dy * (1 - (b.length > 0 ? b.done / b.length : 0));
    }
    const double scale = inches ? 25.4 : 1;
    const double wx = fromX - wcoX_, wy = fromY - wcoY_;
    const double tx = !x ? wx : relative ? wx + toX * scale : toX * scale;
    const double ty = !y ? wy : relative ? wy + toY * scale : toY * scale;
    const double dx = tx - wx, dy = ty - wy, length = std::hypot(dx, dy);
    if (length <= 0) return "";
    const double rate = rapid ? Setting(110) : std::min(feed, Setting(110));
    const double beam = (!rapid && laser != 5) ? power : 0;
    planner_.push_back({dx, dy, length, rate, beam, 0, 0, executed_.size()});
  }
  if (!planner_.empty() && mode_ == Mode::Idle) mode_ = Mode::Run;
  return "";
}

}  // namespace skelda::testing
