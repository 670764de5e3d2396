// Mirror, rotate and invert over the Workspace, as the window and skelda-cli call them. None
// refreshes the preview: the window does that after the call.
#pragma once

#include "core/workspace.h"

namespace skelda {

// Mirror and rotate start from BaseBitmap: ShownBitmap := BaseBitmap, to 24 bits, the routine,
// back to 32 bits, BaseBitmap := ShownBitmap, BasePixels attached to ShownBitmap. Afterwards
// both bitmaps hold the transformed 32-bit picture.
// Horizontal mirrors left-right, otherwise top-bottom; the rotate commands turn by 90.0 and -90.0.
void MirrorCommand(Workspace& ws, bool horizontal);
void RotateCommand(Workspace& ws, double angle);

// Invert starts from ShownBitmap: BaseBitmap := ShownBitmap (as 32 bits), BasePixels attached
// to BaseBitmap, ShownBitmap := BaseBitmap, every byte of ShownBitmap complemented. BaseBitmap
// keeps the picture as it was shown before.
void InvertCommand(Workspace& ws);

}  // namespace skelda
