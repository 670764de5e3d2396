#include "gcode/gcode_command.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "gcode/gcode_writer.h"

namespace skelda {

void CheckDotSize(double dot, const std::string& shownText) {
  if (!(dot >= kSmallestDot)) {
    throw Error("The dot size " + shownText +
                " mm is below 0.00001 mm, the smallest size a G-code program can hold");
  }
}

void CommitForGcode(Workspace& ws) {
  ws.BaseBitmap = ws.ShownBitmap;
  ws.ShownBitmap = ws.BaseBitmap;
  ws.BasePixels.Attach(ws.BaseBitmap);
}

GcodeSettings ParseGcodeSettings(const std::string& dotText, bool lineMode,
                                 const std::string& feedText, const std::string& burnTimeText) {
  GcodeSettings settings;
  settings.dot = StrToDouble(dotText);
  CheckDotSize(settings.dot, "'" + dotText + "'");
  settings.lineMode = lineMode;
  if (lineMode) settings.feed = StrToInt(feedText);
  // The burn time goes into the program as it stands; a line break in it would add lines the
  // controller would run.
  if (burnTimeText.find_first_of("\r\n") != std::string::npos) {
    throw Error("The burn time '" + burnTimeText + "' must be a single line");
  }
  settings.burnTime = burnTimeText;
  return settings;
}

std::uint64_t WriteGcodeFile(Workspace& ws, const GcodeSettings& settings,
                             const std::string& fileName, XRange* grblRange) {
  return WriteGcodeProgramFile(ws.BasePixels, settings, fileName + ".nc", grblRange);
}

}  // namespace skelda
