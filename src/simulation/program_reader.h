// Reads a G-code program back, line by line as it arrives, and follows the machine: where the
// laser burnt and how long the job takes.
//
// The dialects read: G0 G1 G4 G20 G21 G90 G91, M2 M3 M4 M5 M30, S F P N words, comments in
// parentheses or after ";", blank lines, "%" lines, and the classic machine's dot mode ("G5P"
// sets the burn time in ms, "M40" starts it; every line with an X and no Y then burns one dot
// for that time, and the first line with both X and Y ends it).
//
// The laser burns as a GRBL controller in laser mode burns: during G1 moves while M3 or M4 is on,
// and during a G4 dwell while M3 is on, at the power S / maxPower. A program that never gives an
// S word drives a laser that is simply on or off, so M3 burns at full power.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "simulation/burn_picture.h"
#include "simulation/motion_planner.h"
#include "simulation/serial_planner.h"

namespace skelda {

struct SimulationSettings {
  double dot = 0.2;  // mm, the grid of the burn picture
  int width = 0;     // a fixed grid in dots, or 0 × 0 to reach the furthest dot burnt
  int height = 0;
  double maxPower = 1000;  // the S of full power (GRBL's $30)
  MotionSettings motion;
  bool withTime = true;  // false: the burn picture only, a little faster
  double rowPitch = 0;   // mm between the burn picture's rows; 0: the dot
};

// A line the reader cannot follow: "line <n>: <what>: <the line's text>".
class ProgramError : public Error {
 public:
  ProgramError(std::uint64_t line, const std::string& what, std::string_view text);
};

class ProgramReader {
 public:
  explicit ProgramReader(const SimulationSettings& settings);

  // Any piece of the program's text; lines may be split between pieces. Throws ProgramError.
  void Feed(const char* data, std::size_t size);
  // The last line, if it has no line end, then everything still queued runs to a stop.
  void Finish();

  const BurnPicture& Picture() const { return picture_; }
  // The job time: through the serial line of the motion settings, if they give its baud.
  double Seconds() const { return serial_ ? serial_->Seconds() : planner_.Seconds(); }
  // The job time over an endless line, and what the serial line adds to it.
  double EndlessSeconds() const { return planner_.Seconds(); }
  double LinkSeconds() const { return std::max(Seconds() - EndlessSeconds(), 0.0); }
  std::uint64_t Lines() const { return line_; }
  const MotionPlanner& Planner() const { return planner_; }
  MotionPlanner& Planner() { return planner_; }
  // The serial line's model, when the motion settings give a baud; otherwise null.
  SerialPlanner* Serial() { return serial_ ? &*serial_ : nullptr; }

 private:
  struct Words;
  enum class Laser { Off, Constant, Dynamic };

  const char* ReadLine(const char* begin);
  const char* Parse(const char* begin, Words& w) const;
  const char* ReadWord(char letter, const char* p, const char* line, Words& w) const;
  void ReadCode(Words& w, double code, const char* line, const char* word, const char* after) const;
  void Execute(const Words& w, const char* line);
  void SetLaser(Laser laser);
  void Move(const Words& w, const char* line);
  std::uint8_t Darkness() const;
  void Synchronize() {
    if (settings_.withTime) planner_.Synchronize();
    if (serial_) serial_->Synchronize();
  }
  void Dwell(double seconds) {
    if (settings_.withTime) planner_.Dwell(seconds);
    if (serial_) serial_->Dwell(seconds);
  }
  // `line` is the line's first byte; the line ends at its '\n'.
  [[noreturn]] void Fail(const std::string& what, const char* line) const;

  SimulationSettings settings_;
  BurnPicture picture_;
  MotionPlanner planner_;
  std::optional<SerialPlanner> serial_;
  std::string partial_;  // a line begun in one piece and ended in the next
  std::uint64_t line_ = 0;

  double x_ = 0, y_ = 0;  // mm
  bool rapid_ = true;     // the motion mode: G0 until a G1
  bool inches_ = false;
  bool relative_ = false;
  double feed_ = 0;  // mm/min
  double power_ = 0;
  bool powerGiven_ = false;
  Laser laser_ = Laser::Off;
  bool dotMode_ = false;  // between "M40" and the closing "X..Y.."
  double dotSeconds_ = 0;
};

}  // namespace skelda
