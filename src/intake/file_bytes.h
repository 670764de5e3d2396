// Whole files read into memory, so that a picture is decoded only after it was read in full.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skelda {

// The bytes of the file; a file that cannot be opened or read (missing, a folder, no
// permission, an empty name) throws OpenFileError naming it.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

}  // namespace skelda
