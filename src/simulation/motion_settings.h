// The controller's motion settings the job time depends on, in the units a GRBL owner types
// them in ($110/$111 in mm/min, $120/$121 in mm/s², $11 in mm).
#pragma once

#include <array>
#include <string>

namespace skelda {

struct MotionSettings {
  std::array<double, 2> maxRate = {6000.0, 6000.0};       // X, Y in mm/min
  std::array<double, 2> acceleration = {1000.0, 1000.0};  // X, Y in mm/s²
  double junctionDeviation = 0.01;                        // mm
  double baud = 0;  // the serial line to the controller, 10 bits a byte; 0: an endless line
};

// The settings as typed into fields: numbers with "." as separator (the conversion error
// otherwise), rate and acceleration above 0, junction deviation from 0; for both axes alike.
// The baud rate as typed: a whole number from 0 (an endless line) to kMaxBaud.
inline constexpr int kMaxBaud = 10000000;
// The usual line of a GRBL controller.
inline constexpr int kDefaultBaud = 115200;
double ParseBaud(const std::string& text);

MotionSettings ParseMotionSettings(const std::string& maxRate, const std::string& acceleration,
                                   const std::string& junctionDeviation);

}  // namespace skelda
