// The files one run of skelda-cli reads and writes, told apart as files, not as names.
#pragma once

#include <string>

#include "cli/cli_options.h"

namespace skelda::cli {

// Throws when two of the input (or the program read back), the program `output` ("-": none),
// the saved picture, the frame and the preview are one file: by device and inode where both
// exist, else by their absolute paths with ".", ".." and links resolved.
void CheckFilesAreDistinct(const Options& o, const std::string& output);

}  // namespace skelda::cli
