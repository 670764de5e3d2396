// The log of a session (--log FILE): every line sent, every reply and status, each after the
// seconds since connecting, real-time bytes by name, so a fault can be read afterwards.
#pragma once

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace skelda {

class JobLog {
 public:
  // Throws CreateFileError.
  explicit JobLog(const std::string& path);
  JobLog(const JobLog&) = delete;
  JobLog& operator=(const JobLog&) = delete;
  ~JobLog();

  void Sent(std::string_view line);      // "  12.345 > G1 X10"
  void Realtime(unsigned char byte);     // "  12.345 > <feed hold>"
  void Received(std::string_view line);  // "  12.345 < ok"
  void Note(std::string_view text);      // "  12.345 # stop requested"

 private:
  void Write(char direction, std::string_view text);

  std::FILE* file_ = nullptr;
  std::string path_;
  std::chrono::steady_clock::time_point start_;
  std::mutex mutex_;
};

}  // namespace skelda
