// skelda-cli: the road from picture to G-code program without a window.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_send.h"
#include "cli/cli_simulation.h"
#include "cli/cli_test_grid.h"
#include "cli/picture_to_program.h"

int main(int argc, char** argv) {
  using namespace skelda::cli;
  Options options;
  try {
    options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& e) {
    std::fprintf(stderr, "skelda-cli: %s\n\n%s", e.what(), UsageText());
    return 2;
  }
  if (options.help) {
    std::fputs(UsageText(), stdout);
    return 0;
  }
  try {
    if (options.ports) return ListPortsCommand();
    if (options.send && !IsPictureFile(*options.input)) return SendProgram(options, *options.input);
    if (options.send) {
      const std::string summary = Summary(RunRoad(options));
      if (!options.quiet) std::fputs(summary.c_str(), stderr);
      return SendProgram(options, OutputPath(options));
    }
    if (options.simulate) {
      const SimulationResult result = RunSimulation(options);
      if (!options.quiet) std::fputs(SimulationSummary(result, options).c_str(), stderr);
      return 0;
    }
    const std::string summary = options.testGrid ? RunTestGrid(options) : Summary(RunRoad(options));
    if (!options.quiet) std::fputs(summary.c_str(), stderr);
    return 0;
  } catch (const std::bad_alloc&) {
    std::fputs("Out of memory\n", stderr);
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
