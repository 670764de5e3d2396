// Serial ports through libserialport; a terminal it does not know (a pseudo-terminal, used by
// the tests and by the fake controller) is opened through termios the same way: 8N1, raw, no
// flow control, at the baud asked.
#include <errno.h>
#include <fcntl.h>
#include <libserialport.h>
#include <string.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include "machine/fd_transport.h"

namespace skelda {

namespace {

PortOpenError Failure(const std::string& path, ConnectFailureKind kind, int baud = 0) {
  return PortOpenError(ConnectFailure{kind, path, {}, baud});
}

PortOpenError OpenError(const std::string& path, int errnoValue) {
  switch (errnoValue) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return Failure(path, ConnectFailureKind::PortMissing);
    case EBUSY:
    case EWOULDBLOCK:
      return Failure(path, ConnectFailureKind::PortBusy);
    case EACCES:
    case EPERM:
      return Failure(path, ConnectFailureKind::PermissionDenied);
    default:
      return PortOpenError(
          ConnectFailure{ConnectFailureKind::OpenFailed, path, ::strerror(errnoValue)});
  }
}

speed_t BaudConstant(int baud) {
  switch (baud) {
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    case 460800:
      return B460800;
    case 500000:
      return B500000;
    case 921600:
      return B921600;
    case 1000000:
      return B1000000;
    case 2000000:
      return B2000000;
    default:
      return B0;
  }
}

// Another sender holding the port with flock or TIOCEXCL is "busy", not a silent second user.
// Returns 0 or the errno of the failure.
int Claim(int fd) {
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return errno == EWOULDBLOCK ? EBUSY : errno;
  ::ioctl(fd, TIOCEXCL);
  return 0;
}

std::unique_ptr<Transport> OpenWithTermios(const std::string& path, int baud) {
  const speed_t speed = BaudConstant(baud);
  if (speed == B0) throw Failure(path, ConnectFailureKind::UnsupportedBaud, baud);
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw OpenError(path, errno);
  if (!::isatty(fd)) {
    ::close(fd);
    throw Failure(path, ConnectFailureKind::NotAPort);
  }
  if (const int e = Claim(fd)) {
    ::close(fd);
    throw OpenError(path, e);
  }
  termios t{};
  if (::tcgetattr(fd, &t) != 0) {
    const int e = errno;
    ::close(fd);
    throw OpenError(path, e);
  }
  ::cfmakeraw(&t);
  t.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
  t.c_cflag |= CS8 | CLOCAL | CREAD;
  t.c_iflag &= ~(IXON | IXOFF | IXANY);
  ::cfsetispeed(&t, speed);
  ::cfsetospeed(&t, speed);
  if (::tcsetattr(fd, TCSANOW, &t) != 0) {
    const int e = errno;
    ::close(fd);
    throw OpenError(path, e);
  }
  ::tcflush(fd, TCIOFLUSH);
  return std::make_unique<FdTransport>(fd, path);
}

int LibErrno(sp_return result) {
  return result == SP_ERR_FAIL ? sp_last_error_code() : EINVAL;
}

std::unique_ptr<Transport> OpenWithLibserialport(sp_port* port, const std::string& path, int baud) {
  const sp_return opened = sp_open(port, SP_MODE_READ_WRITE);
  if (opened != SP_OK) {
    const int e = LibErrno(opened);
    sp_free_port(port);
    throw OpenError(path, e);
  }
  int fd = -1;
  sp_get_port_handle(port, &fd);
  auto release = [port](int) {
    sp_close(port);
    sp_free_port(port);
  };
  if (const int e = Claim(fd)) {
    release(fd);
    throw OpenError(path, e);
  }
  if (sp_set_baudrate(port, baud) != SP_OK || sp_set_bits(port, 8) != SP_OK ||
      sp_set_parity(port, SP_PARITY_NONE) != SP_OK || sp_set_stopbits(port, 1) != SP_OK ||
      sp_set_flowcontrol(port, SP_FLOWCONTROL_NONE) != SP_OK) {
    release(fd);
    throw Failure(path, ConnectFailureKind::LineSettings, baud);
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  sp_flush(port, SP_BUF_BOTH);
  return std::make_unique<FdTransport>(fd, path, release);
}

}  // namespace

std::unique_ptr<Transport> OpenSerialPort(const std::string& path, int baud) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) throw OpenError(path, errno);
  // Pseudo-terminal slaves (majors 136 to 143) are no ports libserialport knows.
  const bool pty = S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 && major(st.st_rdev) <= 143;
  sp_port* port = nullptr;
  if (!pty && sp_get_port_by_name(path.c_str(), &port) == SP_OK) {
    return OpenWithLibserialport(port, path, baud);
  }
  return OpenWithTermios(path, baud);
}

}  // namespace skelda
