#include "machine/preflight.h"

#include "gcode/grbl_number.h"

namespace skelda {

namespace {

using Check = std::optional<JobRefusal> (*)(const ControllerInfo&, const JobPlan&);

std::optional<JobRefusal> Alarm(const ControllerInfo& c, const JobPlan&) {
  if (c.status.state != grbl::State::Alarm) return std::nullopt;
  return JobRefusal{RefusalKind::Alarm};
}

std::optional<JobRefusal> LaserMode(const ControllerInfo& c, const JobPlan& plan) {
  if (c.LaserMode() || !plan.laserWords) return std::nullopt;
  return JobRefusal{RefusalKind::LaserModeOff};
}

std::optional<JobRefusal> Power(const ControllerInfo& c, const JobPlan& plan) {
  const double max = c.Setting(grbl::kMaxPower, 1000);
  if (plan.maxPower <= max) return std::nullopt;
  JobRefusal r{RefusalKind::PowerAboveMax};
  r.setting = grbl::kMaxPower;
  r.value = plan.maxPower;
  r.limit = max;
  return r;
}

std::optional<JobRefusal> Size(const ControllerInfo& c, const JobPlan& plan) {
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
      JobRefusal r{RefusalKind::LargerThanTravel, a.axis, a.setting};
      r.value = a.extent;
      r.limit = *travel;
      return r;
    }
  }
  return std::nullopt;
}

// As GRBL checks a target with soft limits on: in machine coordinates from -travel to 0.
std::optional<JobRefusal> SoftLimits(const ControllerInfo& c, const JobPlan& plan) {
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
      JobRefusal r{RefusalKind::BeyondSoftLimits, a.axis, a.setting};
      r.low = a.low;
      r.high = a.high;
      r.limit = travel;
      return r;
    }
  }
  return std::nullopt;
}

std::optional<JobRefusal> LineLength(const ControllerInfo&, const JobPlan& plan) {
  if (plan.longest <= std::size_t(grbl::kMaxLineWithEnd)) return std::nullopt;
  JobRefusal r{RefusalKind::LineTooLong};
  r.fileLine = plan.lines[plan.longestIndex].fileLine;
  r.value = double(plan.longest);
  r.limit = grbl::kMaxLineWithEnd;
  return r;
}

}  // namespace

std::string RefusalNumber(double value) {
  return ThousandthsText(ToThousandths(value));
}

std::string RefusalText(const JobRefusal& r) {
  const auto mm = RefusalNumber;
  const auto whole = [](double v) { return std::to_string(static_cast<long long>(v)); };
  const std::string setting =
      std::string("$").append(std::to_string(r.setting)) + "=" + mm(r.limit);
  switch (r.kind) {
    case RefusalKind::Alarm:
      return "the controller is in alarm: home it with $H (--home) or unlock it with $X "
             "(--unlock) first, and check the machine's position";
    case RefusalKind::LaserModeOff:
      return "laser mode is off ($32=0) and the program burns with M3/M4 and S: the controller "
             "would stop at every power change and burn a blot there; turn laser mode on with "
             "$32=1";
    case RefusalKind::PowerAboveMax:
      return "the program's highest power S" + mm(r.value) + " is above the controller's " +
             setting + ": it would be clipped and the shades lost; write the program for S" +
             mm(r.limit) + " (--power) or set $30=" + mm(r.value);
    case RefusalKind::LargerThanTravel:
      return std::string("the program is ") + mm(r.value) + " mm along " + r.axis +
             ", more than the machine's travel " + setting + " mm: make the picture smaller";
    case RefusalKind::BeyondSoftLimits:
      return std::string("with soft limits on ($20=1) the job would leave the travel along ") +
             r.axis + ": it reaches machine " + r.axis + mm(r.low) + " to " + mm(r.high) +
             " mm, the machine goes from " + mm(-r.limit) + " to 0 (" + setting +
             "); move the work origin";
    case RefusalKind::LineTooLong:
      return "line " + std::to_string(r.fileLine) + " has " + whole(r.value) +
             " characters with its end, more than the " + whole(r.limit) +
             " the controller reads: shorten it (fewer digits, no spaces)";
  }
  return {};
}

std::optional<JobRefusal> PreflightRefusal(const ControllerInfo& controller, const JobPlan& plan) {
  for (const Check check : {Alarm, LaserMode, Power, Size, SoftLimits, LineLength}) {
    if (auto refusal = check(controller, plan)) return refusal;
  }
  return std::nullopt;
}

}  // namespace skelda
