// The burn preview and job time of skelda-cli: of the program it writes, or of one it reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "core/quick_pixels.h"
#include "gcode/gcode_settings.h"

namespace skelda::cli {

struct ProgramSimulation {
  std::optional<double> seconds;  // with --estimate
  std::vector<std::uint8_t> png;  // with --preview
};

// The preview and time of the program written for `pixels`, when --preview or --estimate asks
// for them; nothing is written.
ProgramSimulation SimulateProgram(TQuickPixels& pixels, const GcodeSettings& settings,
                                  const Options& o);

// Writes the preview, if any (after the program, so a failed program leaves none).
void WritePreview(const ProgramSimulation& simulation, const Options& o);

struct SimulationResult {
  std::string program;
  std::uint64_t lines = 0;
  int widthDots = 0;
  int heightDots = 0;
  double seconds = 0;
};

// --simulate: reads the program, writes --preview. Throws the file's and the program's errors.
SimulationResult RunSimulation(const Options& o);

std::string SimulationSummary(const SimulationResult& result, const Options& o);

}  // namespace skelda::cli
