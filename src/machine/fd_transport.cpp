#include "machine/fd_transport.h"

#include <errno.h>
#include <poll.h>
#include <string.h>
#include <unistd.h>

#include <chrono>

namespace skelda {

FdTransport::FdTransport(int fd, std::string name, std::function<void(int)> release)
    : fd_(fd), name_(std::move(name)), release_(std::move(release)) {}

FdTransport::~FdTransport() {
  Close();
}

void FdTransport::Close() {
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  if (release_) {
    release_(fd);
  } else {
    ::close(fd);
  }
}

void FdTransport::Lost(const std::string& what, int errnoValue) {
  throw LinkError("connection to " + name_ + " lost: " + what +
                  (errnoValue ? std::string(": ") + ::strerror(errnoValue) : std::string()));
}

void FdTransport::Write(const void* data, std::size_t size) {
  if (fd_ < 0) Lost("not open", 0);
  const char* p = static_cast<const char*>(data);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (size > 0) {
    const ssize_t n = ::write(fd_, p, size);
    if (n > 0) {
      p += n;
      size -= std::size_t(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      // The device's buffer is full: a controller that takes nothing for 3 s is gone.
      if (std::chrono::steady_clock::now() > deadline) Lost("writing timed out", 0);
      pollfd pfd{fd_, POLLOUT, 0};
      ::poll(&pfd, 1, 50);
      continue;
    }
    Lost("write failed", n < 0 ? errno : 0);
  }
}

std::size_t FdTransport::Read(char* buffer, std::size_t capacity, int timeoutMs) {
  if (fd_ < 0) Lost("not open", 0);
  pollfd pfd{fd_, POLLIN, 0};
  int ready;
  do {
    ready = ::poll(&pfd, 1, timeoutMs);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) Lost("poll failed", errno);
  if (ready == 0) return 0;
  if (pfd.revents & POLLNVAL) Lost("the port is gone", 0);
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, capacity);
    if (n > 0) return std::size_t(n);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (pfd.revents & (POLLHUP | POLLERR)) Lost("the other end hung up", 0);
      return 0;
    }
    // 0: end of file (the socket closed, a pty's other side gone); EIO: the device vanished.
    Lost(n == 0 ? "the other end closed the connection" : "read failed", n < 0 ? errno : 0);
  }
}

}  // namespace skelda
