// A program from any tool made ready to send over a serial line, and resumed from the row its
// first byte names.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "machine/job_plan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view program(reinterpret_cast<const char*>(data), size);
  skelda::MotionSettings motion;
  motion.baud = skelda::kDefaultBaud;
  try {
    const skelda::JobPlan plan = skelda::PlanJob(program, motion);
    if (size > 0 && plan.rows > 0) skelda::ResumeFromRow(program, 1 + data[0] % plan.rows, motion);
  } catch (const skelda::Error&) {
  }
  return 0;
}
