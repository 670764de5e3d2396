// The chosen machine and its settings, remembered between runs in the user's QSettings.
#pragma once

#include "gcode/machine_profile.h"

namespace skelda {

// The stored profile; the defaults (the classic machine) where nothing, or nothing valid, is
// stored.
MachineProfile LoadMachineProfile();
void SaveMachineProfile(const MachineProfile& profile);

}  // namespace skelda
