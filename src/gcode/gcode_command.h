// The G-code command's toolkit-free steps, as the window and skelda-cli call them.
#pragma once

#include <cstdint>
#include <string>

#include "core/workspace.h"
#include "gcode/gcode_settings.h"
#include "gcode/grbl_raster.h"

namespace skelda {

// The picture's reach at this dot size: its longer side times the dot must print in fixed
// notation. Checked as soon as the size is known, so that the slow steps never run for a program
// that could not be written.
void CheckPictureReach(const Workspace& ws, double dot);

// The first thing the command does: ShownBitmap into BaseBitmap, BaseBitmap into ShownBitmap,
// BasePixels attached.
void CommitForGcode(Workspace& ws);

// Parses the fields before anything is created: the dot size, the feed in line mode (a whole
// number above 0) and the burn time (copied unchanged, so it must be a plain decimal number);
// throws the conversion errors, or a clear refusal of a dot size that would print in exponent form.
GcodeSettings ParseGcodeSettings(const std::string& dotText, bool lineMode,
                                 const std::string& feedText, const std::string& burnTimeText);

// Writes the whole program for the picture BasePixels is attached to into chosenName + ".nc"
// through the atomic file writer; returns the count of black lines or dots. Every check comes
// before the file is touched, and a failure leaves an existing file of that name as it was.
// `grblRange`, if given, receives the X range of a GRBL program (thousandths of a mm).
std::uint64_t WriteGcodeFile(Workspace& ws, const GcodeSettings& settings,
                             const std::string& fileName, XRange* grblRange = nullptr);

// The closing message: "Программа <name>.nc успешно создана !\r\nВремя создания программы: ..."
std::string GcodeReport(const std::string& chosenNameWithoutFolder, std::int64_t elapsedMs,
                        std::uint64_t count, bool lineMode);

}  // namespace skelda
