// What the G-code writer takes from the side panel, already parsed.
#pragma once

#include <string>

#include "gcode/machine_profile.h"

namespace skelda {

struct GcodeSettings {
  double dot = 0.2;            // the dot size, mm
  bool lineMode = false;       // lines rather than dots
  int feed = 300;              // the feed (line mode)
  std::string burnTime = "1";  // the burn time, copied unchanged (dot mode)
  MachineProfile machine;      // the classic machine unless chosen otherwise
};

// The distance between rows: the GRBL machine's line interval where one is set, otherwise the
// dot size (the classic machine's rows are always one dot apart).
inline double LineInterval(const GcodeSettings& settings) {
  const MachineProfile& m = settings.machine;
  return m.machine == Machine::Grbl && m.lineIntervalMm > 0 ? m.lineIntervalMm : settings.dot;
}

// The smallest dot size whose coordinates all print in fixed notation: below it the first
// column's X would come out like "1E-6", which a controller reads as X1 followed by an E word.
inline constexpr double kSmallestDot = 0.00001;

// Throws the refusal of a dot size below kSmallestDot (zero and negative sizes included),
// naming the size as the user gave it.
void CheckDotSize(double dot, const std::string& shownText);

}  // namespace skelda
