// The checks before a single byte of a job is sent. A refusal is a kind with the numbers it
// names; its text says what to do (the command line's here, the window's in its own language).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "machine/controller_info.h"
#include "machine/job_plan.h"

namespace skelda {

enum class RefusalKind {
  Alarm,             // the controller is in alarm
  LaserModeOff,      // $32=0 with a program that burns with M3/M4 and S
  PowerAboveMax,     // power: the program's highest S, limit: $30
  LargerThanTravel,  // axis, setting; value: the program's extent, limit: the travel
  BeyondSoftLimits,  // axis, setting; low, high: machine coordinates reached, limit: the travel
  LineTooLong,       // fileLine; value: its length with its end, limit: what the controller reads
};

struct JobRefusal {
  RefusalKind kind = RefusalKind::Alarm;
  const char* axis = "";
  int setting = 0;
  double value = 0, limit = 0;
  double low = 0, high = 0;
  std::uint64_t fileLine = 0;
};

// The command line's text of a refusal.
std::string RefusalText(const JobRefusal& refusal);

// Millimetres and powers as the refusal texts write them: to the thousandth, no trailing zeros.
std::string RefusalNumber(double value);

// nullopt when the job may go; otherwise why not. Checks, in this order: the controller in
// alarm, laser mode off with a program that burns with M3/M4 and S, the highest S above $30,
// the program larger than the travel ($130 $131), a move beyond the soft limits ($20=1) as the
// controller checks them, a line longer than the controller reads.
std::optional<JobRefusal> PreflightRefusal(const ControllerInfo& controller, const JobPlan& plan);

}  // namespace skelda
