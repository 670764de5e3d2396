// Raw TCP to a network controller (grblHAL, FluidNC): tcp://HOST[:PORT], port 23 by default.
#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

#include <charconv>

#include "machine/fd_transport.h"

namespace skelda {

namespace {

constexpr std::string_view kScheme = "tcp://";

// Connects within 5 s: a controller that is switched off must not hang the sender.
int ConnectWithin(const addrinfo* a, int timeoutMs) {
  const int fd =
      ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
  if (fd < 0) return -1;
  if (::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
    if (errno != EINPROGRESS) {
      const int e = errno;
      ::close(fd);
      errno = e;
      return -1;
    }
    pollfd pfd{fd, POLLOUT, 0};
    int err = 0;
    socklen_t len = sizeof err;
    if (::poll(&pfd, 1, timeoutMs) != 1 ||
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0 || err != 0) {
      ::close(fd);
      errno = err ? err : ETIMEDOUT;
      return -1;
    }
  }
  const int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);  // a feed hold must not wait
  return fd;
}

PortOpenError Failure(ConnectFailureKind kind, const std::string& target, std::string detail) {
  return PortOpenError(ConnectFailure{kind, target, std::move(detail)});
}

ConnectFailureKind KindOf(int errnoValue) {
  switch (errnoValue) {
    case ECONNREFUSED:
      return ConnectFailureKind::Refused;
    case ETIMEDOUT:
      return ConnectFailureKind::TimedOut;
    case EHOSTUNREACH:
    case ENETUNREACH:
    case EHOSTDOWN:
    case ENETDOWN:
      return ConnectFailureKind::Unreachable;
    default:
      return ConnectFailureKind::ConnectFailed;
  }
}

}  // namespace

std::unique_ptr<Transport> OpenTcp(const std::string& host, int port) {
  const std::string name = "tcp://" + host + ":" + std::to_string(port);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int rc = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found)) {
    throw Failure(ConnectFailureKind::HostNotFound, name, ::gai_strerror(rc));
  }
  int fd = -1, lastErrno = 0;
  for (const addrinfo* a = found; a && fd < 0; a = a->ai_next) {
    fd = ConnectWithin(a, 5000);
    if (fd < 0) lastErrno = errno;
  }
  ::freeaddrinfo(found);
  if (fd < 0) throw Failure(KindOf(lastErrno), name, ::strerror(lastErrno));
  return std::make_unique<FdTransport>(fd, name);
}

bool IsNetworkPort(const std::string& port) {
  return port.rfind(kScheme, 0) == 0;
}

std::unique_ptr<Transport> OpenTransport(const std::string& port, int baud) {
  if (!IsNetworkPort(port)) return OpenSerialPort(port, baud);
  std::string host = port.substr(kScheme.size());
  int number = kDefaultTcpPort;
  const std::size_t colon = host.rfind(':');
  // "[::1]:23" and "host:23"; a bare IPv6 address has more than one colon and no port.
  if (colon != std::string::npos && (host.find(':') == colon || host[colon - 1] == ']')) {
    const std::string digits = host.substr(colon + 1);
    const auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || ec != std::errc() || p != digits.data() + digits.size() || number < 1 ||
        number > 65535) {
      throw Failure(ConnectFailureKind::BadPortNumber, port, digits);
    }
    host.erase(colon);
  }
  if (host.size() > 2 && host.front() == '[' && host.back() == ']')
    host = host.substr(1, host.size() - 2);
  if (host.empty()) throw Failure(ConnectFailureKind::NoHost, port, {});
  return OpenTcp(host, number);
}

}  // namespace skelda
