// The "S" buttons: the picture resampled so that its width in dots times the dot size (or its
// height in rows times the line interval) comes to the wanted millimetres, the other side
// following at the picture's own ratio in millimetres: W ÷ dot columns, H ÷ interval rows.
#pragma once

#include <optional>
#include <string>

#include "core/workspace.h"
#include "intake/size_fields.h"

namespace skelda {

// Returns nothing (and changes nothing) when the dot size or the axis field is empty; otherwise
// resamples the whole of ShownBitmap onto BaseBitmap at the new size (32 bits), makes
// ShownBitmap a copy, attaches BasePixels and returns the four size fields. Errors, all before
// anything changes: the conversion error, "Floating point division by zero", "Invalid floating
// point operation", a refusal of a size of 0 dots or below that names the wanted size and the
// dot size, and the too-large error. A line interval of 0 is the dot size.
std::optional<SizeFields> ResampleToWidth(Workspace& ws, const std::string& dotText,
                                          const std::string& widthMmText, double lineInterval = 0);
std::optional<SizeFields> ResampleToHeight(Workspace& ws, const std::string& dotText,
                                           const std::string& heightMmText,
                                           double lineInterval = 0);

}  // namespace skelda
