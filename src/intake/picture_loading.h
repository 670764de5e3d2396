// "Load" and "Оригинал": the picture file into the Workspace, and the steps of the load command
// around the slider resets the window makes.
#pragma once

#include <string>

#include "core/workspace.h"
#include "intake/size_fields.h"

namespace skelda {

// ReadPictureFile: dot from the dot-size text, the file read in full, then BaseBitmap := the
// picture in 32 bits, turned upright as its EXIF orientation says unless turnUpright is false;
// returns the size fields (rows `lineInterval` apart, 0: the dot). On any error BaseBitmap is
// unchanged.
SizeFields ReadPictureFile(Workspace& ws, const std::string& dotText, const std::string& fileName,
                           bool turnUpright = true, double lineInterval = 0);

// BeginLoad = MouseTool 6, EffectApplied false (run whether or not a file was chosen).
void BeginLoad(Workspace& ws);
// FinishLoad = BwMode 0, ShownBitmap := BaseBitmap, both accessors attached, PictureWidth,
// PictureHeight and ToolRect set from the picture.
void FinishLoad(Workspace& ws);

// "Оригинал" after ReadPictureFile: ShownBitmap := BaseBitmap, EffectApplied false.
void ShowOriginal(Workspace& ws);

}  // namespace skelda
