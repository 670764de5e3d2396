// skelda-cli --test-grid: the material test grid alone, no picture.
#pragma once

#include <string>

#include "cli/cli_options.h"

namespace skelda::cli {

// Checks every setting, writes the grid to *options.testGrid and returns the summary for
// standard error, the legend included. Throws the checks' refusals before anything is written.
std::string RunTestGrid(const Options& options);

}  // namespace skelda::cli
