// The road from picture to program without a window: the commands the window runs, in a fixed
// order, over one Workspace.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "gcode/grbl_raster.h"

namespace skelda::cli {

struct RoadResult {
  std::string outputName;  // the file written, or "standard output"
  int widthDots = 0;
  int heightDots = 0;
  std::string widthMm;
  std::string heightMm;
  bool lineMode = false;
  bool grbl = false;
  std::uint64_t count = 0;
  XRange xRange;          // GRBL only: the X the program moves in, thousandths of a mm
  std::string frameName;  // the framing program written, if any
  int framePower = 0;
  std::int64_t elapsedMs = 0;
  std::optional<double> jobSeconds;  // with --estimate
  double linkSeconds = 0;            // of which waiting for the serial line
  double baud = 0;
  std::optional<std::string> previewName;  // with --preview
};

// Load, resample, sharpen, brightness, contrast, texture, mirror and rotate (in the order
// given), conversion, invert, write. Throws the commands' errors; nothing is written unless
// every step succeeded.
RoadResult RunRoad(const Options& options);

// The summary for standard error.
std::string Summary(const RoadResult& result);

}  // namespace skelda::cli
