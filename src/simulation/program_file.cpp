#include "simulation/program_file.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace skelda {

void SimulateFile(ProgramReader& reader, const std::string& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             &std::fclose);
  if (!file) throw OpenFileError(path, errno);
  std::vector<char> piece(std::size_t{1} << 20);
  for (;;) {
    const std::size_t n = std::fread(piece.data(), 1, piece.size(), file.get());
    reader.Feed(piece.data(), n);
    if (n < piece.size()) break;
  }
  if (std::ferror(file.get())) throw OpenFileError(path, errno != 0 ? errno : EIO);
  reader.Finish();
}

std::string ClockText(double seconds) {
  const long long whole = static_cast<long long>(std::floor(seconds));
  char text[64];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
  return text;
}

std::string JobTimeText(double seconds) {
  char text[48];
  std::snprintf(text, sizeof text, " (%.1f s)", seconds);
  return ClockText(seconds) + text;
}

std::string JobTimeText(double seconds, double linkSeconds, double baud) {
  char text[96];
  std::snprintf(text, sizeof text, ", of which %.1f s waiting for the serial line at %.0f baud",
                linkSeconds, baud);
  return JobTimeText(seconds) + (linkSeconds >= 0.05 ? text : "");
}

}  // namespace skelda
