#include "simulation/program_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace skelda {

namespace {

constexpr double kInch = 25.4;
constexpr double kDwellStep = 0.05;  // a GRBL controller waits out a dwell in steps of 50 ms
constexpr std::size_t kShownText = 80;

// Long garbage lines are cut and unprintable bytes shown as '?', so the message stays readable.
std::string Shown(std::string_view text) {
  std::string shown(text.substr(0, kShownText));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  }
  if (text.size() > kShownText) shown += "...";
  return shown;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A decimal number as a controller reads it: a sign, digits, a point, digits, no exponent.
// Returns the end of the number, or nullptr when there is none.
const char* ReadNumber(const char* p, const char* end, double& value) {
  const char* start = p;
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  std::uint64_t mantissa = 0;
  int significant = 0;
  int fraction = 0;
  bool point = false;
  bool anyDigit = false;
  for (; p != end; ++p) {
    const unsigned d = static_cast<unsigned>(static_cast<unsigned char>(*p)) - '0';
    if (d < 10) {
      anyDigit = true;
      if (mantissa != 0 || d != 0) ++significant;
      if (significant <= 18) mantissa = mantissa * 10 + d;
      fraction += point;
    } else if (*p == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return nullptr;
  if (significant > 15 || fraction > 22) {
    // More digits than a double holds exactly: the slow, exact conversion.
    const std::string copy(start + (*start == '+'), p);
    std::from_chars(copy.data(), copy.data() + copy.size(), value);
    return p;
  }
  // Both are exact doubles, so the quotient is the correctly rounded value.
  value = static_cast<double>(mantissa) / kPowersOfTen[fraction];
  if (negative) value = -value;
  return p;
}

}  // namespace

ProgramError::ProgramError(std::uint64_t line, const std::string& what, std::string_view text)
    : Error("line " + std::to_string(line) + ": " + what + ": " + Shown(text)) {}

struct ProgramReader::Words {
  double x = 0, y = 0, s = 0, f = 0, p = 0;
  bool hasX = false, hasY = false, hasS = false, hasF = false, hasP = false;
  int motion = -1;  // 0 or 1
  int laser = -1;   // 3, 4 or 5
  bool dwell = false, dotTime = false, dotMode = false, end = false;
  int units = -1;     // 20 or 21
  int distance = -1;  // 90 or 91
};

ProgramReader::ProgramReader(const SimulationSettings& settings)
    : settings_(settings),
      picture_(settings.dot, settings.width, settings.height),
      planner_(settings.motion) {}

void ProgramReader::Feed(const char* data, std::size_t size) {
  const char* end = data + size;
  while (data != end) {
    const char* newline = static_cast<const char*>(std::memchr(data, '\n', end - data));
    if (newline == nullptr) {
      partial_.append(data, end);
      return;
    }
    if (partial_.empty()) {
      ReadLine(data, newline);
    } else {
      partial_.append(data, newline);
      ReadLine(partial_.data(), partial_.data() + partial_.size());
      partial_.clear();
    }
    data = newline + 1;
  }
}

void ProgramReader::Finish() {
  if (!partial_.empty()) {
    const std::string last = std::move(partial_);
    partial_.clear();
    ReadLine(last.data(), last.data() + last.size());
  }
  planner_.Synchronize();
}

void ProgramReader::ReadLine(const char* begin, const char* end) {
  ++line_;
  Words w;
  Parse(begin, end, w);
  Execute(w, {begin, static_cast<std::size_t>(end - begin)});
}

void ProgramReader::Parse(const char* begin, const char* end, Words& w) const {
  const std::string_view text(begin, static_cast<std::size_t>(end - begin));
  const char* p = begin;
  while (p != end) {
    const char c = *p;
    if (IsBlank(c)) {
      ++p;
      continue;
    }
    if (c == ';') return;
    if (c == '(') {
      p = static_cast<const char*>(std::memchr(p, ')', end - p));
      if (p == nullptr) Fail("a comment without its closing ')'", text);
      ++p;
      continue;
    }
    if (c == '%') {
      if (std::all_of(begin, end, [](char k) { return IsBlank(k) || k == '%'; })) return;
      Fail("'%' inside a line", text);
    }
    const char letter = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    if (letter < 'A' || letter > 'Z') Fail("unknown word '" + Shown({p, 1}) + "'", text);
    const char* word = p++;
    while (p != end && IsBlank(*p)) ++p;
    double v = 0;
    const char* after = ReadNumber(p, end, v);
    if (after == nullptr) Fail("'" + std::string(1, *word) + "' without a number", text);
    p = after;
    const std::string_view wordText(word, static_cast<std::size_t>(after - word));
    switch (letter) {
      case 'X': w.x = v, w.hasX = true; break;
      case 'Y': w.y = v, w.hasY = true; break;
      case 'S': w.s = v, w.hasS = true; break;
      case 'F': w.f = v, w.hasF = true; break;
      case 'P': w.p = v, w.hasP = true; break;
      case 'N': break;
      case 'G':
        if (v == 0 || v == 1) w.motion = static_cast<int>(v);
        else if (v == 4) w.dwell = true;
        else if (v == 5) w.dotTime = true;
        else if (v == 20 || v == 21) w.units = static_cast<int>(v);
        else if (v == 90 || v == 91) w.distance = static_cast<int>(v);
        else Fail("unknown word '" + std::string(wordText) + "'", text);
        break;
      case 'M':
        if (v == 3 || v == 4 || v == 5) w.laser = static_cast<int>(v);
        else if (v == 2 || v == 30) w.end = true;
        else if (v == 40) w.dotMode = true;
        else Fail("unknown word '" + std::string(wordText) + "'", text);
        break;
      default:
        Fail("unknown word '" + std::string(wordText) + "'", text);
    }
  }
}

void ProgramReader::Execute(const Words& w, std::string_view text) {
  if (w.units >= 0) inches_ = w.units == 20;
  if (w.distance >= 0) relative_ = w.distance == 91;
  const double scale = inches_ ? kInch : 1.0;
  if (w.hasF) {
    if (!(w.f > 0)) Fail("a feed rate that is not above 0", text);
    feed_ = w.f * scale;
  }
  const bool moves = w.hasX || w.hasY;
  if (w.hasS) {
    if (w.s < 0) Fail("a negative power", text);
    // A controller changes the power of a running laser only once the moves before are done,
    // unless the new power comes with a move of its own.
    if (w.s != power_ && laser_ != Laser::Off && !moves) planner_.Synchronize();
    power_ = w.s;
    powerGiven_ = true;
  }
  if (w.laser >= 0) SetLaser(w.laser == 3 ? Laser::Constant : w.laser == 4 ? Laser::Dynamic : Laser::Off);
  if (w.hasP && !w.dwell && !w.dotTime) Fail("a P word without G4 or G5", text);
  if ((w.dwell || w.dotTime) && !(w.hasP && w.p >= 0)) Fail("G4 or G5 without a time P", text);
  if (w.dotTime) dotSeconds_ = w.p / 1000;
  if (w.dwell) {
    planner_.Dwell(std::ceil(w.p / kDwellStep - 1e-9) * kDwellStep);
    if (laser_ == Laser::Constant) picture_.BurnPoint(x_, y_, Darkness());
  }
  if (w.motion >= 0) rapid_ = w.motion == 0;
  if (moves) {
    MoveTo(w.x * scale, w.y * scale, w.hasX, w.hasY, text);
    if (dotMode_ && !w.hasY) {
      planner_.Dwell(dotSeconds_);
      picture_.BurnPoint(x_, y_, 255);
    } else if (dotMode_ && w.hasX) {
      dotMode_ = false;
    }
  }
  if (w.dotMode) dotMode_ = true;
  if (w.end) {
    SetLaser(Laser::Off);
    dotMode_ = false;
  }
}

void ProgramReader::SetLaser(Laser laser) {
  if (laser != laser_) planner_.Synchronize();
  laser_ = laser;
}

void ProgramReader::MoveTo(double x, double y, bool hasX, bool hasY, std::string_view text) {
  const double toX = !hasX ? x_ : relative_ ? x_ + x : x;
  const double toY = !hasY ? y_ : relative_ ? y_ + y : y;
  if (!rapid_ && feed_ == 0) Fail("a G1 move before any feed rate F", text);
  planner_.Move(toX - x_, toY - y_, rapid_, feed_);
  if (!rapid_ && laser_ != Laser::Off) {
    if (const std::uint8_t darkness = Darkness()) picture_.BurnMove(x_, y_, toX, toY, darkness);
  }
  x_ = toX;
  y_ = toY;
}

std::uint8_t ProgramReader::Darkness() const {
  if (!powerGiven_) return 255;
  if (!(settings_.maxPower > 0)) return power_ > 0 ? 255 : 0;
  return static_cast<std::uint8_t>(std::lround(std::clamp(power_ / settings_.maxPower, 0.0, 1.0) * 255));
}

void ProgramReader::Fail(const std::string& what, std::string_view text) const {
  throw ProgramError(line_, what, text);
}

}  // namespace skelda
