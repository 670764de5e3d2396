// The warp tool's toolkit-free steps: press, one drag move (the whole picture recomputed from
// BaseBitmap into ShownBitmap through the two accessors) and release.
#pragma once

#include "core/workspace.h"

namespace skelda {

// FormMouseDown with the warp tool on: true when a drag starts (the window then shows the
// hand cursor). Records DragStartX/Y when (x, y) lies inside ToolRect and the left button is down.
bool WarpPress(Workspace& ws, int x, int y, bool leftButton);
// FormMouseMove with the left button down: recomputes ShownBitmap for the pointer (x, y);
// true when it did (the window then copies the top-left (W-1) x (H-1) pixels to the screen).
bool WarpMove(Workspace& ws, int x, int y);
// FormMouseUp: with the warp tool on, BaseBitmap := ShownBitmap and both accessors attached;
// then DragStartX/Y := -1 (the window restores the default cursor).
void WarpRelease(Workspace& ws);

}  // namespace skelda
