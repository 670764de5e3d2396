#include "cli/cli_test_grid.h"

#include <chrono>

#include "core/numbers.h"
#include "gcode/gcode_settings.h"
#include "gcode/grbl_number.h"
#include "gcode/test_grid.h"
#include "intake/dot_size.h"

namespace skelda::cli {

namespace {

TestGridSettings ParseSettings(const Options& o) {
  TestGridSettings s;
  const std::string dotText = o.dpiText ? DotForResolution(o.dotText, *o.dpiText) : o.dotText;
  s.dot = StrToDouble(dotText);
  CheckDotSize(s.dot, "'" + dotText + "'");
  s.machine = ParseMachineProfile(Machine::Grbl, o.powerText, o.minPowerText, o.overscanText,
                                  o.oneWay, o.scanOffsetText, false);
  ParseRasterSettings(s.machine, o.levelsText, o.rapidGapText);
  s.powers = ParseGridRange("powers", o.powersText);
  s.feeds = ParseGridRange("feeds", o.feedsText);
  s.cellMm = StrToDouble(o.cellText);
  return s;
}

}  // namespace

std::string RunTestGrid(const Options& o) {
  const auto start = std::chrono::steady_clock::now();
  const TestGrid grid(ParseSettings(o));
  const XRange range = WriteTestGridFile(grid, *o.testGrid);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  std::string summary =
      "written: " + *o.testGrid + "\n" + "test grid: " + ThousandthsText(grid.Width()) + " x " +
      ThousandthsText(grid.Height()) + " mm with its labels, from X0 Y0\n" +
      "x range: " + ThousandthsText(range.low) + " to " + ThousandthsText(range.high) + " mm\n";
  for (const std::string& line : grid.Legend()) summary += "  " + line + "\n";
  return summary + "time: " + std::to_string(ms) + " ms\n";
}

}  // namespace skelda::cli
