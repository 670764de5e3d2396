#include "cli/distinct_files.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <utility>

#include "core/errors.h"

namespace skelda::cli {

namespace {

// Two names of one file: the same device and inode when both exist, else the same absolute
// path once "." and ".." and the links of the existing part are resolved.
bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa = {}, sb = {};
  if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0) {
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  }
  // Absolute first: a relative name none of whose leading parts exists would stay relative.
  const auto normal = [](const std::string& name) {
    const std::filesystem::path absolute = std::filesystem::absolute(name).lexically_normal();
    std::error_code error;
    const std::filesystem::path path = std::filesystem::weakly_canonical(absolute, error);
    return error ? absolute : path;
  };
  return normal(a) == normal(b);
}

std::string SameFileMessage(const std::string& first, const std::string& second, int pair) {
  switch (pair) {
    case 0:
      return "The program " + second + " would replace the picture " + first +
             "; give another name with -o";
    case 1:
      return "The picture saved as " + second + " would replace the picture " + first +
             "; give another name with --save-bmp";
    case 2:
      return "-o and --save-bmp name the same file " + first;
    case 3:
    case 4:
    case 5:
      return "--frame names the same file as another input or output: " + second;
    case 6:
    case 7:
    case 8:
    case 9:
      return "--preview names the same file as another input or output: " + second;
    default:
      return "--save-png names the same file as another input or output: " + second;
  }
}

}  // namespace

// No file the run reads or writes is another's target: a picture is never replaced by its own
// program, nor one output by another.
void CheckFilesAreDistinct(const Options& o, const std::string& output) {
  const std::optional<std::string> program =
      output == "-" ? std::nullopt : std::optional<std::string>(output);
  // A program read back stands where the picture would.
  const std::optional<std::string> input = o.input ? o.input : o.simulate;
  const std::optional<std::string> files[] = {input,   program,   o.saveBmp,
                                              o.frame, o.preview, o.savePng};
  // Pairs in the order of their messages: input-program, input-picture, program-picture, then
  // the frame, the preview and the PNG copy against each of the others.
  const std::pair<int, int> pairs[] = {{0, 1}, {0, 2}, {1, 2}, {0, 3}, {1, 3},
                                       {2, 3}, {0, 4}, {1, 4}, {2, 4}, {3, 4},
                                       {0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}};
  for (int p = 0; p < 15; ++p) {
    const auto& a = files[pairs[p].first];
    const auto& b = files[pairs[p].second];
    if (a && b && SameFile(*a, *b)) throw Error(SameFileMessage(*a, *b, p));
  }
}

}  // namespace skelda::cli
