#include "core/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// Reads until `bytes` is full or the file ends; returns the count read.
std::size_t ReadInto(int fd, const std::string& path, std::uint8_t* bytes, std::size_t size) {
  std::size_t used = 0;
  while (used < size) {
    const ssize_t n = ::read(fd, bytes + used, size - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw OpenFileError(path, errno);
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  return used;
}

}  // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::string& path, FileHeadCheck checkHead) {
  if (path.empty()) throw OpenFileError(path, ENOENT);
  // Non-blocking, so that opening a pipe without a writer cannot hang before it is refused.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.get() < 0) throw OpenFileError(path, errno);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) throw OpenFileError(path, errno);
  if (S_ISDIR(info.st_mode)) throw OpenFileError(path, EISDIR);
  if (!S_ISREG(info.st_mode)) throw OpenFileError(path, "Not a regular file");
  if (static_cast<std::uint64_t>(info.st_size) > kMaxPictureFileBytes) {
    throw OpenFileError(path, EFBIG);
  }

  const std::size_t size = static_cast<std::size_t>(info.st_size);
  std::uint8_t headBytes[kFileHeadBytes];
  const std::size_t head = ReadInto(file.get(), path, headBytes, std::min(size, kFileHeadBytes));
  checkHead(headBytes, head);
  std::vector<std::uint8_t> bytes(std::max(size, head));
  std::copy(headBytes, headBytes + head, bytes.begin());
  const std::size_t rest = ReadInto(file.get(), path, bytes.data() + head, bytes.size() - head);
  bytes.resize(head + rest);
  return bytes;
}

std::string ReadProgramText(const std::string& path) {
  constexpr std::size_t kPiece = std::size_t(1) << 20;
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) throw OpenFileError(path, errno);
  std::string text;
  for (std::size_t got = kPiece; got == kPiece;) {
    const std::size_t used = text.size();
    text.resize(used + kPiece);
    got = ReadInto(file.get(), path, reinterpret_cast<std::uint8_t*>(text.data()) + used, kPiece);
    text.resize(used + got);
    if (text.size() > kMaxProgramBytes) throw OpenFileError(path, "the program is over 1 GB");
  }
  return text;
}

}  // namespace skelda
