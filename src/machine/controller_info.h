// What a sender knows of the controller after connecting: its welcome and firmware, the size
// of its receive buffer, its settings, its last status.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "machine/replies.h"
#include "simulation/motion_settings.h"

namespace skelda {

struct ControllerInfo {
  std::string port;
  double baud = 0;      // the serial line's rate, so job times count its bytes; 0 on a network
  std::string welcome;  // "Grbl 1.1h ['$' for help]"
  std::string version;  // from [VER:]
  std::string options;  // from [OPT:]
  int receiveBuffer = grbl::kDefaultReceiveBuffer;
  int plannerBlocks = grbl::kPlannerBlocks;
  std::map<int, double> settings;                   // from $$
  StatusReport status;                              // the last one
  std::optional<std::array<double, 3>> workOffset;  // the last WCO seen

  std::optional<double> Setting(int number) const;
  double Setting(int number, double fallback) const;
  bool LaserMode() const { return Setting(grbl::kLaserMode, 0) != 0; }
  // $110 $111 $120 $121 $11, each the planner's default where the controller gave none, and
  // the line's baud.
  MotionSettings Motion() const;
};

}  // namespace skelda
