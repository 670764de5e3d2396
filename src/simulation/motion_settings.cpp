#include "simulation/motion_settings.h"

#include "core/errors.h"
#include "core/numbers.h"

namespace skelda {

namespace {

double Setting(const std::string& text, bool zeroAllowed, const std::string& name) {
  const double value = StrToDouble(text);
  if (!(zeroAllowed ? value >= 0 : value > 0) || !(value < 1e9)) {
    throw Error("The " + name + " " + text + " must be " + (zeroAllowed ? "from 0" : "above 0") +
                " and below 10^9");
  }
  return value;
}

}  // namespace

double ParseBaud(const std::string& text) {
  const int baud = StrToInt(text);
  if (baud < 0 || baud > kMaxBaud) {
    throw Error("The baud rate " + text + " is outside 0 .. " + std::to_string(kMaxBaud));
  }
  return baud;
}

MotionSettings ParseMotionSettings(const std::string& maxRate, const std::string& acceleration,
                                   const std::string& junctionDeviation) {
  MotionSettings m;
  m.maxRate.fill(Setting(maxRate, false, "maximum rate"));
  m.acceleration.fill(Setting(acceleration, false, "acceleration"));
  m.junctionDeviation = Setting(junctionDeviation, true, "junction deviation");
  return m;
}

}  // namespace skelda
