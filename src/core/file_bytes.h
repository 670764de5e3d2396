// Files read whole into memory: pictures, so that a picture is decoded only after it was read in
// full and refused early when they cannot be one; programs, before they are planned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skelda {

// No picture this program can hold needs a longer file.
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t(2) << 30;

// Looks at the first bytes of a file (up to kFileHeadBytes, fewer for a shorter file) and
// throws the decoder's own error when they cannot begin a picture of its kind.
inline constexpr std::size_t kFileHeadBytes = 16;
using FileHeadCheck = void (*)(const std::uint8_t* head, std::size_t size);

// The bytes of a regular file of at most kMaxPictureFileBytes, its head checked before the rest
// is read. A file that cannot be opened or read (missing, no permission, an empty name), that is
// no regular file (a folder, a device, a pipe) or is longer throws OpenFileError naming it.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path, FileHeadCheck checkHead);

inline constexpr std::size_t kMaxProgramBytes = std::size_t(1) << 30;

// A program file's bytes, read in large pieces straight into the text. Throws OpenFileError
// naming the file with the system's reason, or "the program is over 1 GB".
std::string ReadProgramText(const std::string& path);

}  // namespace skelda
