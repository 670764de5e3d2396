#include "gcode/gcode_sink.h"

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
  WriteAll(fd_, data, size, name_);
}

void AtomicFileSink::Write(const char* data, std::size_t size) {
  writer_.Write(data, size);
}

}  // namespace skelda
