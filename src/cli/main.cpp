// skelda-cli: the road from picture to G-code program without a window.
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_road.h"

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
  // A closed pipe on standard output is a write error with a message, not a silent death.
  std::signal(SIGPIPE, SIG_IGN);
  try {
    const RoadResult result = RunRoad(options);
    if (!options.quiet) std::fputs(Summary(result).c_str(), stderr);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
