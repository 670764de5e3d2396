#include "machine/program_text.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "core/errors.h"

namespace skelda {

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

constexpr std::size_t kPiece = std::size_t(1) << 20;

}  // namespace

std::string ReadProgramText(const std::string& path) {
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw OpenFileError(path, errno);
  std::string text;
  for (;;) {
    const std::size_t used = text.size();
    text.resize(used + kPiece);
    const ssize_t n = ::read(fd.get(), text.data() + used, kPiece);
    if (n < 0 && errno == EINTR) {
      text.resize(used);
      continue;
    }
    if (n < 0) throw OpenFileError(path, errno);
    text.resize(used + std::size_t(n));
    if (n == 0) break;
    if (text.size() > kMaxProgramBytes) throw OpenFileError(path, "the program is over 1 GB");
  }
  return text;
}

}  // namespace skelda
