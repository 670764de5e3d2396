#include "gcode/gcode_command.h"

#include <algorithm>

#include "core/errors.h"
#include "core/numbers.h"
#include "gcode/coordinate_text.h"
#include "gcode/gcode_writer.h"

namespace skelda {

namespace {

// A feed of 0 or below would stop the machine or be refused by it mid-job.
int ParseFeed(const std::string& text) {
  const int feed = StrToInt(text);
  if (feed <= 0) {
    throw ConvertError("'" + text + "' is not a valid feed value (a whole number above 0)");
  }
  return feed;
}

// The burn time goes into the program as typed, so it must be a number, and a plain one: an
// exponent, a space or anything after the number would put other words on the G5 line.
const std::string& CheckBurnTime(const std::string& text) {
  StrToFloat(text);
  if (text.find_first_not_of("0123456789.+-") != std::string::npos) {
    throw ConvertError("'" + text +
                       "' is not a valid burn time value (a plain decimal number, no exponent)");
  }
  return text;
}

}  // namespace

void CheckDotSize(double dot, const std::string& shownText) {
  if (!(dot >= kSmallestDot)) {
    throw Error("The dot size " + shownText +
                " mm is below 0.00001 mm, the smallest size a G-code program can hold");
  }
}

void CheckPictureReach(const Workspace& ws, double dot) {
  CheckCoordinateReach(dot, std::max(ws.ShownBitmap.Width(), ws.ShownBitmap.Height()));
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
  if (lineMode) settings.feed = ParseFeed(feedText);
  settings.burnTime = lineMode ? burnTimeText : CheckBurnTime(burnTimeText);
  return settings;
}

std::uint64_t WriteGcodeFile(Workspace& ws, const GcodeSettings& settings,
                             const std::string& fileName, XRange* grblRange) {
  return WriteGcodeProgramFile(ws.BasePixels, settings, fileName + ".nc", grblRange);
}

}  // namespace skelda
