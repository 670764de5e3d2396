#include "machine/preflight.h"

#include <cstdio>

#include "gcode/grbl_number.h"

namespace skelda {

namespace {

std::string Mm(double value) {
  return ThousandthsText(ToThousandths(value));
}

std::optional<std::string> Alarm(const ControllerInfo& c, const JobPlan&) {
  if (c.status.state != grbl::State::Alarm) return std::nullopt;
  return std::string(
      "the controller is in alarm: home it with $H (--home) or unlock it with $X (--unlock) "
      "first, and check the machine's position");
}

std::optional<std::string> LaserMode(const ControllerInfo& c, const JobPlan& plan) {
  if (c.LaserMode() || !plan.laserWords) return std::nullopt;
  return std::string(
      "laser mode is off ($32=0) and the program burns with M3/M4 and S: the controller would "
      "stop at every power change and burn a blot there; turn laser mode on with $32=1");
}

std::optional<std::string> Power(const ControllerInfo& c, const JobPlan& plan) {
  const double max = c.Setting(grbl::kMaxPower, 1000);
  if (plan.maxPower <= max) return std::nullopt;
  return "the program's highest power S" + Mm(plan.maxPower) +
         " is above the controller's $30=" + Mm(max) +
         ": it would be clipped and the shades lost; write the program for S" + Mm(max) +
         " (--power) or set $30=" + Mm(plan.maxPower);
}

std::optional<std::string> Size(const ControllerInfo& c, const JobPlan& plan) {
  if (!plan.bounds.any) return std::nullopt;
  const struct {
    const char* axis;
    int setting;
    double extent;
  } axes[] = {{"X", grbl::kTravelX, plan.bounds.maxX - plan.bounds.minX},
              {"Y", grbl::kTravelY, plan.bounds.maxY - plan.bounds.minY}};
  for (const auto& a : axes) {
    const auto travel = c.Setting(a.setting);
    if (travel && *travel > 0 && a.extent > *travel + 1e-9) {
      return std::string("the program is ") + Mm(a.extent) + " mm along " + a.axis +
             ", more than the machine's travel $" + std::to_string(a.setting) + "=" + Mm(*travel) +
             " mm: make the picture smaller";
    }
  }
  return std::nullopt;
}

// As GRBL checks a target with soft limits on: in machine coordinates from -travel to 0.
std::optional<std::string> SoftLimits(const ControllerInfo& c, const JobPlan& plan) {
  if (c.Setting(grbl::kSoftLimits, 0) == 0 || !plan.bounds.any) return std::nullopt;
  const auto offset = c.status.workOffset ? c.status.workOffset : c.workOffset;
  const double wx = offset ? (*offset)[0] : 0, wy = offset ? (*offset)[1] : 0;
  const struct {
    const char* axis;
    int setting;
    double low, high;
  } axes[] = {{"X", grbl::kTravelX, plan.bounds.minX + wx, plan.bounds.maxX + wx},
              {"Y", grbl::kTravelY, plan.bounds.minY + wy, plan.bounds.maxY + wy}};
  for (const auto& a : axes) {
    const double travel = c.Setting(a.setting, 0);
    if (a.low < -travel - 1e-9 || a.high > 1e-9) {
      return std::string("with soft limits on ($20=1) the job would leave the travel along ") +
             a.axis + ": it reaches machine " + a.axis + Mm(a.low) + " to " + Mm(a.high) +
             " mm, the machine goes from " + Mm(-travel) + " to 0 ($" + std::to_string(a.setting) +
             "=" + Mm(travel) + "); move the work origin";
    }
  }
  return std::nullopt;
}

std::optional<std::string> LineLength(const ControllerInfo&, const JobPlan& plan) {
  if (plan.longest <= std::size_t(grbl::kMaxLineWithEnd)) return std::nullopt;
  const JobLine& line = plan.lines[plan.longestIndex];
  return "line " + std::to_string(line.fileLine) + " has " + std::to_string(plan.longest) +
         " characters with its end, more than the " + std::to_string(grbl::kMaxLineWithEnd) +
         " the controller reads: shorten it (fewer digits, no spaces)";
}

}  // namespace

std::optional<std::string> PreflightRefusal(const ControllerInfo& controller, const JobPlan& plan) {
  for (const auto check : {Alarm, LaserMode, Power, Size, SoftLimits, LineLength}) {
    if (auto refusal = check(controller, plan)) return refusal;
  }
  return std::nullopt;
}

}  // namespace skelda
