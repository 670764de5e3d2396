// A program file read whole before it is planned, by the command line and the window alike.
#pragma once

#include <cstddef>
#include <string>

namespace skelda {

inline constexpr std::size_t kMaxProgramBytes = std::size_t(1) << 30;

// The file's bytes, read in large pieces straight into the text. Throws OpenFileError naming
// the file with the system's reason, or "the program is over 1 GB".
std::string ReadProgramText(const std::string& path);

}  // namespace skelda
