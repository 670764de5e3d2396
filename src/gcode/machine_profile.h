// Which machine a program is written for, and the settings of a GRBL laser.
//
// The classic machine is the original target (G5, M40, "M3" without power); its programs do
// not depend on anything here. The GRBL machine is a GRBL 1.1 controller in laser mode ($32=1)
// or a firmware speaking the same dialect (grblHAL, FluidNC).
#pragma once

#include <string>

namespace skelda {

enum class Machine { Classic, Grbl };

struct MachineProfile {
  Machine machine = Machine::Classic;
  int maxPower = 1000;        // S of full power, GRBL's $30
  int minPower = 0;           // S of white in grayscale power
  double overscanMm = 0;      // lead-in and lead-out past the burnt part of a row
  bool oneWay = false;        // every pass left to right, the return a rapid
  double scanOffsetMm = 0;    // shift of every right-to-left pass along +X
  bool grayscale = false;     // every pixel's gray value sets its power
  int powerLevels = 256;      // grayscale powers rounded to this many, evenly from min to max;
                              // 256: every gray its own power
  double rapidGapMm = 0;      // white gaps longer than this are crossed with G0; 0: never
  double gamma = 1;           // grayscale darkness raised to this before it sets the power
  double lineIntervalMm = 0;  // distance between rows; 0: the dot size

  bool operator==(const MachineProfile&) const = default;
};

// The largest power S: a GRBL number holds at most 8 digits, and no laser needs more.
inline constexpr int kMaxPowerLimit = 1000000;
// Overscan and scan offset beyond this many mm are typing mistakes, not machines.
inline constexpr double kMaxShiftMm = 1000;
// The tone curve's exponent: beyond these a curve is all shadow or all highlight.
inline constexpr double kMinGamma = 0.2;
inline constexpr double kMaxGamma = 5;
// The finest line interval: GRBL coordinates are written in thousandths of a mm.
inline constexpr double kMinLineIntervalMm = 0.001;

// Throws a clear refusal of a power outside 1 .. kMaxPowerLimit, a minimum power below 0 or
// above the maximum, an overscan below 0 or a shift beyond kMaxShiftMm, power levels outside
// 2 .. 256, a rapid gap outside 0 .. kMaxShiftMm, a gamma outside kMinGamma .. kMaxGamma or a
// line interval other than 0 outside kMinLineIntervalMm .. kMaxShiftMm.
void CheckMachineProfile(const MachineProfile& profile);

// The settings as typed (the window's dialog, skelda-cli): powers whole numbers, lengths decimal
// numbers with "."; throws the conversion errors "'%s' is not a valid integer value" and
// "'%s' is not a valid floating point value", then CheckMachineProfile's refusals.
MachineProfile ParseMachineProfile(Machine machine, const std::string& maxPowerText,
                                   const std::string& minPowerText, const std::string& overscanText,
                                   bool oneWay, const std::string& scanOffsetText, bool grayscale);

// The power levels (a whole number, 2 .. 256) and the rapid gap (mm, from 0) as typed; throws
// the conversion errors, then CheckMachineProfile's refusals, and leaves `profile` unchanged.
void ParseRasterSettings(MachineProfile& profile, const std::string& levelsText,
                         const std::string& rapidGapText);

// The gamma and the line interval (mm; empty: the dot size) as typed; throws the conversion
// errors, then CheckMachineProfile's refusals, and leaves `profile` unchanged.
void ParseToneAndInterval(MachineProfile& profile, const std::string& gammaText,
                          const std::string& lineIntervalText);

// The power of level k of `levels` evenly spaced from minPower to maxPower, and the level
// nearest to `power` (the lower of two as near).
int LevelPower(const MachineProfile& profile, int k);
int NearestLevelPower(const MachineProfile& profile, int power);

// "classic" or "grbl": the names skelda-cli takes.
const char* MachineName(Machine machine);

}  // namespace skelda
