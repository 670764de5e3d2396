// The chosen machine and its settings, remembered between runs in the user's QSettings.
#pragma once

#include <string>

#include "gcode/machine_profile.h"
#include "simulation/motion_settings.h"

namespace skelda {

// The stored profile; the defaults (the classic machine) where nothing, or nothing valid, is
// stored.
MachineProfile LoadMachineProfile();
void SaveMachineProfile(const MachineProfile& profile);

// The motion settings of the job time; the defaults where nothing valid is stored.
MotionSettings LoadMotionSettings();
void SaveMotionSettings(const MotionSettings& motion);

// The controller chosen in "Подключить…": a serial port at a speed, or a network address.
struct ConnectionChoice {
  static constexpr int kMinBaud = 9600;
  static constexpr int kMaxBaud = 250000;
  bool network = false;
  std::string port;  // the device, as the port list names it
  int baud = 115200;
  std::string address;  // tcp://HOST[:PORT]

  const std::string& Target() const { return network ? address : port; }
  bool operator==(const ConnectionChoice&) const = default;
};

// The last choice; the defaults where nothing, or a speed out of range, is stored.
ConnectionChoice LoadConnectionChoice();
void SaveConnectionChoice(const ConnectionChoice& choice);

}  // namespace skelda
