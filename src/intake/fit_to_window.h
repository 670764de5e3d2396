// Fit to window: BaseBitmap resampled into ShownBitmap at a size that fits the picture area,
// keeping the aspect ratio of ShownBitmap.
#pragma once

#include <string>

#include "core/workspace.h"

namespace skelda {

// Ends silently (false) when the dot size is empty or the area has no room; the dot-size text
// must be a number (it is not otherwise used). Then ShownBitmap gets the size round(side / s), s
// the larger of its width / availW and height / availH, at least 1 x 1 and in its own pixel format,
// and the whole of BaseBitmap is stretched onto it. True when done.
bool FitToWindow(Workspace& ws, const std::string& dotText, int availW, int availH);

}  // namespace skelda
