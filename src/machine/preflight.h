// The checks before a single byte of a job is sent. A refusal names the numbers and says what
// to do; the window shows the same texts.
#pragma once

#include <optional>
#include <string>

#include "machine/controller_info.h"
#include "machine/job_plan.h"

namespace skelda {

// nullopt when the job may go; otherwise why not. Checks, in this order: the controller in
// alarm, laser mode off with a program that burns with M3/M4 and S, the highest S above $30,
// the program larger than the travel ($130 $131), a move beyond the soft limits ($20=1) as the
// controller checks them, a line longer than the controller reads.
std::optional<std::string> PreflightRefusal(const ControllerInfo& controller, const JobPlan& plan);

}  // namespace skelda
