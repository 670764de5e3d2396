// The chosen machine and its settings, remembered between runs in the user's QSettings.
#pragma once

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

}  // namespace skelda
