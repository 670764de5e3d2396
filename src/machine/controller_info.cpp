#include "machine/controller_info.h"

namespace skelda {

std::optional<double> ControllerInfo::Setting(int number) const {
  const auto it = settings.find(number);
  if (it == settings.end()) return std::nullopt;
  return it->second;
}

double ControllerInfo::Setting(int number, double fallback) const {
  return Setting(number).value_or(fallback);
}

MotionSettings ControllerInfo::Motion() const {
  MotionSettings m;
  // A zero or negative value would make the planner divide by it: the default stands in.
  auto positive = [&](int n, double fallback) {
    const double v = Setting(n, fallback);
    return v > 0 ? v : fallback;
  };
  m.maxRate = {positive(grbl::kMaxRateX, m.maxRate[0]), positive(grbl::kMaxRateY, m.maxRate[1])};
  m.acceleration = {positive(grbl::kAccelX, m.acceleration[0]),
                    positive(grbl::kAccelY, m.acceleration[1])};
  const double jd = Setting(grbl::kJunctionDeviation, m.junctionDeviation);
  m.junctionDeviation = jd >= 0 ? jd : m.junctionDeviation;
  m.baud = baud;
  return m;
}

}  // namespace skelda
