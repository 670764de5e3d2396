// Mirror, rotate and invert over the Workspace, as the window and skelda-cli call them. None
// refreshes the preview: the window does that after the call.
#pragma once

#include "core/workspace.h"

namespace skelda {

void MirrorCommand(Workspace& ws, bool horizontal);  // N13 true, N14 false
void RotateCommand(Workspace& ws, double angle);     // N901 90.0, btn21 -90.0
void InvertCommand(Workspace& ws);                   // N8

}  // namespace skelda
