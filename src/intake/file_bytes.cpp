#include "intake/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/errors.h"

namespace skelda {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  FileDescriptor file(path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (path.empty()) throw OpenFileError(path, ENOENT);
  if (file.get() < 0) throw OpenFileError(path, errno);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) throw OpenFileError(path, errno);
  if (S_ISDIR(info.st_mode)) throw OpenFileError(path, EISDIR);

  // Read straight into the buffer; the size from fstat is only a first guess (pipes say 0).
  std::vector<std::uint8_t> bytes(S_ISREG(info.st_mode) ? info.st_size + 1 : 1 << 16);
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(file.get(), bytes.data() + used, bytes.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw OpenFileError(path, errno);
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  bytes.resize(used);
  return bytes;
}

}  // namespace skelda
