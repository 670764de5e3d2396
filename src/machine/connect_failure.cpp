#include "machine/connect_failure.h"

namespace skelda {

namespace {

std::string Opening(const ConnectFailure& f, const std::string& why) {
  return "cannot open " + f.target + ": " + why;
}

std::string Connecting(const ConnectFailure& f, const std::string& why) {
  return "cannot connect to " + f.target + ": " + why;
}

}  // namespace

std::string ConnectFailureText(const ConnectFailure& f) {
  using K = ConnectFailureKind;
  switch (f.kind) {
    case K::PortMissing:
      return Opening(f,
                     "no such port (is the controller plugged in? skelda-cli --ports lists "
                     "the ports)");
    case K::PortBusy:
      return Opening(f,
                     "the port is busy, held by another program (close the other sender or "
                     "terminal first)");
    case K::PermissionDenied:
      return Opening(f,
                     "permission denied (the user must be in the dialout group: sudo usermod "
                     "-aG dialout $USER, then log in again)");
    case K::NotAPort:
      return Opening(f, "not a serial port");
    case K::UnsupportedBaud:
      return Opening(f, "unsupported baud " + std::to_string(f.baud));
    case K::LineSettings:
      return Opening(f, "the port does not take 8N1 at " + std::to_string(f.baud) + " baud");
    case K::OpenFailed:
      return Opening(f, f.detail);
    case K::BadPortNumber:
      return Connecting(f, "'" + f.detail + "' is not a port number");
    case K::NoHost:
      return Connecting(f, "no host given");
    case K::HostNotFound:
    case K::Refused:
    case K::TimedOut:
    case K::Unreachable:
    case K::ConnectFailed:
      return Connecting(f, f.detail);
    case K::NoWelcome:
      return "no GRBL controller answered on " + f.target;
    case K::NoAnswer:
      return "no answer to " + f.detail + " from " + f.target;
    case K::NoStatus:
      return "no status report from " + f.target;
    case K::LinkLost:
    case K::Other:
      break;
  }
  return f.detail;
}

}  // namespace skelda
