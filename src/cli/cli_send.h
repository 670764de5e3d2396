// skelda-cli --send and --ports: a program streamed to a controller, watched from the terminal.
#pragma once

#include <string>

#include "cli/cli_options.h"
#include "machine/session.h"

namespace skelda::cli {

// The exit status of a send.
enum SendStatus { kFinished = 0, kRefused = 1, kStopped = 3, kHalted = 4, kLost = 5 };

// The ports, one a line, on standard output.
int ListPortsCommand();

// Connects to options.send, runs the pre-flight checks, streams `programPath` (with --check
// through check mode first), and returns the exit status. Messages go to standard error.
int SendProgram(const Options& options, const std::string& programPath);

// True when the file holds a picture (a JPEG or a bitmap) rather than a program.
bool IsPictureFile(const std::string& path);

// The progress line: "[#####.....]  50%  row 3 of 6  0:12 elapsed  0:12 left".
std::string ProgressLine(const JobProgress& p, int width);

}  // namespace skelda::cli
