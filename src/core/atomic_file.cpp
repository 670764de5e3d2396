#include "core/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/errors.h"

namespace skelda {

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
  if (path_.empty()) throw CreateFileError(path_, ENOENT);
  std::vector<char> name(path_.begin(), path_.end());
  const std::string suffix = ".tmp-XXXXXX";
  name.insert(name.end(), suffix.begin(), suffix.end());
  name.push_back('\0');
  fd_ = ::mkstemp(name.data());
  if (fd_ < 0) throw CreateFileError(path_, errno);
  tempPath_ = name.data();
  // mkstemp creates 0600; a picture or program file should get the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd_, 0666 & ~mask);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (!committed_) Discard();
}

void AtomicFileWriter::Discard() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
}

void AtomicFileWriter::Write(const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd_, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw WriteFileError(path_, errno);
    }
    p += n;
    size -= static_cast<std::size_t>(n);
  }
}

void AtomicFileWriter::Commit() {
  if (::fsync(fd_) != 0 && errno != EINVAL) throw WriteFileError(path_, errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw WriteFileError(path_, errno);
  if (::rename(tempPath_.c_str(), path_.c_str()) != 0) throw CreateFileError(path_, errno);
  committed_ = true;
}

void WriteFileAtomically(const std::string& path, const void* data, std::size_t size) {
  AtomicFileWriter writer(path);
  writer.Write(data, size);
  writer.Commit();
}

}  // namespace skelda
