#include "gcode/machine_profile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/errors.h"
#include "core/numbers.h"

namespace skelda {

void CheckMachineProfile(const MachineProfile& p) {
  if (p.maxPower < 1 || p.maxPower > kMaxPowerLimit) {
    throw Error("The power " + std::to_string(p.maxPower) + " is outside 1 .. " +
                std::to_string(kMaxPowerLimit));
  }
  if (p.minPower < 0 || p.minPower > p.maxPower) {
    throw Error("The minimum power " + std::to_string(p.minPower) + " is outside 0 .. " +
                std::to_string(p.maxPower) + " (the power)");
  }
  if (!(p.overscanMm >= 0 && p.overscanMm <= kMaxShiftMm)) {
    throw Error("The overscan " + FloatToStr(p.overscanMm) + " mm is outside 0 .. " +
                FloatToStr(kMaxShiftMm) + " mm");
  }
  if (!(std::fabs(p.scanOffsetMm) <= kMaxShiftMm)) {
    throw Error("The scan offset " + FloatToStr(p.scanOffsetMm) + " mm is outside -" +
                FloatToStr(kMaxShiftMm) + " .. " + FloatToStr(kMaxShiftMm) + " mm");
  }
  if (p.powerLevels < 2 || p.powerLevels > 256) {
    throw Error("The power levels " + std::to_string(p.powerLevels) + " are outside 2 .. 256");
  }
  if (!(p.rapidGapMm >= 0 && p.rapidGapMm <= kMaxShiftMm)) {
    throw Error("The rapid gap " + FloatToStr(p.rapidGapMm) + " mm is outside 0 .. " +
                FloatToStr(kMaxShiftMm) + " mm");
  }
  if (!(p.gamma >= kMinGamma && p.gamma <= kMaxGamma)) {
    throw Error("The gamma " + FloatToStr(p.gamma) + " is outside " + FloatToStr(kMinGamma) +
                " .. " + FloatToStr(kMaxGamma));
  }
  if (p.lineIntervalMm != 0 &&
      !(p.lineIntervalMm >= kMinLineIntervalMm && p.lineIntervalMm <= kMaxShiftMm)) {
    throw Error("The line interval " + FloatToStr(p.lineIntervalMm) + " mm is outside " +
                FloatToStr(kMinLineIntervalMm) + " .. " + FloatToStr(kMaxShiftMm) + " mm");
  }
}

void ParseRasterSettings(MachineProfile& profile, const std::string& levelsText,
                         const std::string& rapidGapText) {
  MachineProfile p = profile;
  p.powerLevels = StrToInt(levelsText);
  p.rapidGapMm = StrToDouble(rapidGapText);
  CheckMachineProfile(p);
  profile = p;
}

void ParseToneAndInterval(MachineProfile& profile, const std::string& gammaText,
                          const std::string& lineIntervalText) {
  MachineProfile p = profile;
  p.gamma = StrToDouble(gammaText);
  p.lineIntervalMm = lineIntervalText.empty() ? 0 : StrToDouble(lineIntervalText);
  CheckMachineProfile(p);
  profile = p;
}

int LevelPower(const MachineProfile& p, int k) {
  const long long span = static_cast<long long>(p.maxPower - p.minPower) * k;
  const int steps = p.powerLevels - 1;
  return p.minPower + static_cast<int>((2 * span + steps) / (2 * steps));
}

int NearestLevelPower(const MachineProfile& p, int power) {
  // The levels rise with k, so the nearest is one of the two around the scaled position.
  const long long steps = p.powerLevels - 1;
  const long long span = std::max(p.maxPower - p.minPower, 1);
  const long long k =
      std::clamp((static_cast<long long>(power - p.minPower) * steps) / span, 0LL, steps);
  int best = LevelPower(p, static_cast<int>(k));
  if (k < steps) {
    const int above = LevelPower(p, static_cast<int>(k + 1));
    if (std::abs(above - power) < std::abs(best - power)) best = above;
  }
  return best;
}

MachineProfile ParseMachineProfile(Machine machine, const std::string& maxPowerText,
                                   const std::string& minPowerText, const std::string& overscanText,
                                   bool oneWay, const std::string& scanOffsetText, bool grayscale) {
  MachineProfile p;
  p.machine = machine;
  p.maxPower = StrToInt(maxPowerText);
  p.minPower = StrToInt(minPowerText);
  p.overscanMm = StrToDouble(overscanText);
  p.oneWay = oneWay;
  p.scanOffsetMm = StrToDouble(scanOffsetText);
  p.grayscale = grayscale;
  CheckMachineProfile(p);
  return p;
}

const char* MachineName(Machine machine) {
  return machine == Machine::Grbl ? "grbl" : "classic";
}

}  // namespace skelda
