#include "gcode/gcode_sink.h"

#include <unistd.h>

#include <cerrno>
#include <ostream>

#include "core/atomic_file.h"
#include "core/errors.h"

namespace skelda {

void StreamSink::Write(const char* data, std::size_t size) {
  out_.write(data, static_cast<std::streamsize>(size));
  if (!out_) throw WriteFileError(name_, EIO);
}

void FileDescriptorSink::Write(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd_, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw WriteFileError(name_, errno);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

void AtomicFileSink::Write(const char* data, std::size_t size) {
  writer_.Write(data, size);
}

}  // namespace skelda
