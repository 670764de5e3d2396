// The controller's motion settings the job time depends on, in the units a GRBL owner types
// them in ($110/$111 in mm/min, $120/$121 in mm/s², $11 in mm).
#pragma once

#include <array>

namespace skelda {

struct MotionSettings {
  std::array<double, 2> maxRate = {6000.0, 6000.0};        // X, Y in mm/min
  std::array<double, 2> acceleration = {1000.0, 1000.0};  // X, Y in mm/s²
  double junctionDeviation = 0.01;                         // mm
};

}  // namespace skelda
