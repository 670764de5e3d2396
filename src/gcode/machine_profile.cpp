#include "gcode/machine_profile.h"

#include <cmath>

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
