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

// Long garbage lines are cut and bytes outside printable ASCII shown as '?', so the message
// stays readable whatever the program's code page.
std::string Shown(std::string_view text) {
  std::string shown(text.substr(0, kShownText));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) >= 127) c = '?';
  }
  if (text.size() > kShownText) shown += "...";
  return shown;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// Every line being read ends in a '\n'.
const char* LineEnd(const char* p) {
  while (*p != '\n') ++p;
  return p;
}

bool OnlyPercent(const char* p) {
  while (*p == '%' || IsBlank(*p)) ++p;
  return *p == '\n';
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A decimal number as a controller reads it: a sign, digits, a point, digits, no exponent.
// Returns the end of the number, or nullptr when there is none. The line's '\n' stops it.
const char* ReadNumber(const char* p, double& value) {
  const char* start = p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int fraction = 0;
  bool point = false;
  for (;; ++p) {
    const unsigned d = static_cast<unsigned>(static_cast<unsigned char>(*p)) - '0';
    if (d < 10) {
      mantissa = mantissa * 10 + d;  // wraps only past 19 digits, which take the slow way
      ++digits;
      fraction += point;
    } else if (*p == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return nullptr;
  if (digits > 15 || fraction > 22) {
    // More digits than a double holds exactly: the slow, exact conversion.
    const std::string copy(start + (*start == '+'), p);
    std::from_chars(copy.data(), copy.data() + copy.size(), value);
    return p;
  }
  // Both are exact doubles, so the quotient is the correctly rounded value.
  value = fraction == 0 ? static_cast<double>(mantissa)
                        : static_cast<double>(mantissa) / kPowersOfTen[fraction];
  if (negative) value = -value;
  return p;
}

}  // namespace

ProgramError::ProgramError(std::uint64_t line, const std::string& what, std::string_view text)
    : Error("line " + std::to_string(line) + ": " + what + ": " + Shown(text)) {}

enum : unsigned { kX = 1, kY = 2, kS = 4, kF = 8, kP = 16, kCode = 32 };

struct ProgramReader::Words {
  unsigned seen = 0;  // which of the words above the line holds
  double x, y, s, f, p;
  std::int8_t motion = -1;    // 0 or 1
  std::int8_t laser = -1;     // 3, 4 or 5
  std::int8_t units = -1;     // 20 or 21
  std::int8_t distance = -1;  // 90 or 91
  bool dwell = false, dotTime = false, dotMode = false, end = false;
};

ProgramReader::ProgramReader(const SimulationSettings& settings)
    : settings_(settings),
      picture_(settings.dot, settings.width, settings.height, settings.rowPitch),
      planner_(settings.motion) {
  if (settings.withTime && settings.motion.baud > 0) serial_.emplace(settings.motion);
}

// Complete lines are read in place up to the last line end of the piece; what follows it waits
// for the next piece. Every line read in place thus ends in a '\n', where parsing stops.
void ProgramReader::Feed(const char* data, std::size_t size) {
  const char* end = data + size;
  if (!partial_.empty()) {
    const char* newline = static_cast<const char*>(std::memchr(data, '\n', size));
    partial_.append(data, newline == nullptr ? end : newline + 1);
    if (newline == nullptr) return;
    ReadLine(partial_.data());
    partial_.clear();
    data = newline + 1;
  }
  const char* last = static_cast<const char*>(memrchr(data, '\n', end - data));
  if (last == nullptr) {
    partial_.assign(data, end);
    return;
  }
  while (data <= last) data = ReadLine(data) + 1;
  partial_.assign(last + 1, end);
}

void ProgramReader::Finish() {
  if (!partial_.empty()) {
    partial_ += '\n';
    const std::string line = std::move(partial_);
    partial_.clear();
    ReadLine(line.data());
  }
  planner_.Synchronize();
  if (serial_) serial_->Synchronize();
}

const char* ProgramReader::ReadLine(const char* begin) {
  ++line_;
  Words w;
  const char* end = Parse(begin, w);
  if (serial_) serial_->Line(static_cast<std::size_t>(end - begin) + 1);
  Execute(w, begin);
  return end;
}

// Returns the line's '\n'.
const char* ProgramReader::Parse(const char* begin, Words& w) const {
  const char* p = begin;
  for (;;) {
    const char c = *p;
    if (c >= 'A' && c <= 'Z') {  // most often: the next word
      p = ReadWord(c, p, begin, w);
      continue;
    }
    if (c == '\n') return p;
    if (IsBlank(c)) {
      ++p;
      continue;
    }
    if (c == ';') return LineEnd(p);
    if (c == '(') {
      while (*p != ')' && *p != '\n') ++p;
      if (*p == '\n') Fail("a comment without its closing ')'", begin);
      ++p;
      continue;
    }
    if (c == '%') {
      if (!OnlyPercent(begin)) Fail("'%' inside a line", begin);
      return LineEnd(p);
    }
    if (c < 'a' || c > 'z') Fail("unknown word '" + Shown({p, 1}) + "'", begin);
    p = ReadWord(static_cast<char>(c - 32), p, begin, w);
  }
}

// Reads the word whose letter is at `p`; returns what follows it.
const char* ProgramReader::ReadWord(char letter, const char* p, const char* line, Words& w) const {
  const char* word = p++;
  while (IsBlank(*p)) ++p;
  double v = 0;
  const char* after = ReadNumber(p, v);
  if (after == nullptr) Fail("'" + std::string(1, *word) + "' without a number", line);
  switch (letter) {
    case 'X':
      w.x = v, w.seen |= kX;
      break;
    case 'Y':
      w.y = v, w.seen |= kY;
      break;
    case 'S':
      w.s = v, w.seen |= kS;
      break;
    case 'F':
      w.f = v, w.seen |= kF;
      break;
    case 'P':
      w.p = v, w.seen |= kP;
      break;
    case 'N':
      break;
    case 'G':
      ReadCode(w, v, line, word, after);
      break;
    case 'M':
      ReadCode(w, -v, line, word, after);
      break;
    default:
      Fail("unknown word '" + std::string(word, after) + "'", line);
  }
  return after;
}

// G codes as themselves, M codes negated.
void ProgramReader::ReadCode(Words& w, double code, const char* line, const char* word,
                             const char* after) const {
  w.seen |= kCode;
  if (code == 0 || code == 1)
    w.motion = static_cast<std::int8_t>(code);
  else if (code == 4)
    w.dwell = true;
  else if (code == 5)
    w.dotTime = true;
  else if (code == 20 || code == 21)
    w.units = static_cast<std::int8_t>(code);
  else if (code == 90 || code == 91)
    w.distance = static_cast<std::int8_t>(code);
  else if (code == -3 || code == -4 || code == -5)
    w.laser = static_cast<std::int8_t>(-code);
  else if (code == -2 || code == -30)
    w.end = true;
  else if (code == -40)
    w.dotMode = true;
  else
    Fail("unknown word '" + std::string(word, after) + "'", line);
}

void ProgramReader::Execute(const Words& w, const char* line) {
  if (w.seen <= (kX | kY)) {  // the common line: a move and nothing else
    if (w.seen != 0) Move(w, line);
    return;
  }
  if (w.units >= 0) inches_ = w.units == 20;
  if (w.distance >= 0) relative_ = w.distance == 91;
  const double scale = inches_ ? kInch : 1.0;
  if (w.seen & kF) {
    if (!(w.f > 0)) Fail("a feed rate that is not above 0", line);
    feed_ = w.f * scale;
  }
  const bool moves = w.seen & (kX | kY);
  if (w.seen & kS) {
    if (w.s < 0) Fail("a negative power", line);
    // A controller changes the power of a running laser only once the moves before are done,
    // unless the new power comes with a move of its own.
    if (w.s != power_ && laser_ != Laser::Off && !moves) Synchronize();
    power_ = w.s;
    powerGiven_ = true;
  }
  if (w.laser >= 0)
    SetLaser(w.laser == 3 ? Laser::Constant : w.laser == 4 ? Laser::Dynamic : Laser::Off);
  const bool hasP = w.seen & kP;
  if (hasP && !w.dwell && !w.dotTime) Fail("a P word without G4 or G5", line);
  if ((w.dwell || w.dotTime) && !(hasP && w.p >= 0)) Fail("G4 or G5 without a time P", line);
  if (w.dotTime) dotSeconds_ = w.p / 1000;
  if (w.dwell) {
    Dwell(std::ceil(w.p / kDwellStep - 1e-9) * kDwellStep);
    if (laser_ == Laser::Constant) picture_.BurnPoint(x_, y_, Darkness());
  }
  if (w.motion >= 0) rapid_ = w.motion == 0;
  if (moves) Move(w, line);
  if (w.dotMode) dotMode_ = true;
  if (w.end) {
    SetLaser(Laser::Off);
    dotMode_ = false;
  }
}

void ProgramReader::SetLaser(Laser laser) {
  if (laser != laser_) Synchronize();
  laser_ = laser;
}

void ProgramReader::Move(const Words& w, const char* line) {
  const double scale = inches_ ? kInch : 1.0;
  const double toX = !(w.seen & kX) ? x_ : relative_ ? x_ + w.x * scale : w.x * scale;
  const double toY = !(w.seen & kY) ? y_ : relative_ ? y_ + w.y * scale : w.y * scale;
  if (!rapid_ && feed_ == 0) Fail("a G1 move before any feed rate F", line);
  if (settings_.withTime) planner_.Move(toX - x_, toY - y_, rapid_, feed_);
  if (serial_) serial_->Move(toX - x_, toY - y_, rapid_, feed_);
  if (!rapid_ && laser_ != Laser::Off) {
    if (const std::uint8_t darkness = Darkness()) picture_.BurnMove(x_, y_, toX, toY, darkness);
  }
  x_ = toX;
  y_ = toY;
  if (dotMode_) {
    if (!(w.seen & kY)) {
      Dwell(dotSeconds_);
      picture_.BurnPoint(x_, y_, 255);
    } else if (w.seen & kX) {
      dotMode_ = false;
    }
  }
}

std::uint8_t ProgramReader::Darkness() const {
  if (!powerGiven_) return 255;
  if (!(settings_.maxPower > 0)) return power_ > 0 ? 255 : 0;
  return static_cast<std::uint8_t>(
      std::lround(std::clamp(power_ / settings_.maxPower, 0.0, 1.0) * 255));
}

void ProgramReader::Fail(const std::string& what, const char* line) const {
  std::string_view text(line, static_cast<std::size_t>(LineEnd(line) - line));
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  throw ProgramError(line_, what, text);
}

}  // namespace skelda
