#include "machine/job_log.h"

#include <cerrno>

#include "core/errors.h"
#include "machine/grbl_codes.h"

namespace skelda {

JobLog::JobLog(const std::string& path) : path_(path), start_(std::chrono::steady_clock::now()) {
  file_ = std::fopen(path.c_str(), "w");
  if (!file_) throw CreateFileError(path, errno);
}

JobLog::~JobLog() {
  if (file_) std::fclose(file_);
}

void JobLog::Write(char direction, std::string_view text) {
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  std::lock_guard lock(mutex_);
  std::fprintf(file_, "%10.3f %c %.*s\n", seconds, direction, int(text.size()), text.data());
  std::fflush(file_);  // what is written must survive a crash
}

void JobLog::Sent(std::string_view line) {
  Write('>', line);
}
void JobLog::Received(std::string_view line) {
  Write('<', line);
}
void JobLog::Note(std::string_view text) {
  Write('#', text);
}

void JobLog::Realtime(unsigned char byte) {
  const char* name = grbl::RealtimeName(byte);
  char hex[8];
  std::snprintf(hex, sizeof hex, "<0x%02x>", byte);
  Write('>', name ? name : hex);
}

}  // namespace skelda
