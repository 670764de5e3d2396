// Why a connection to a controller failed, as a kind with the values its text names, so that
// the command line and the window each tell it in their own language from the same facts.
#pragma once

#include <string>

#include "core/errors.h"

namespace skelda {

enum class ConnectFailureKind {
  PortMissing,       // no such device
  PortBusy,          // held by another program
  PermissionDenied,  // the user may not open it
  NotAPort,          // a file that is no terminal
  UnsupportedBaud,   // a speed the terminal driver has no constant for
  LineSettings,      // the port refuses 8N1 at the speed
  OpenFailed,        // any other reason of the system's (detail)
  BadPortNumber,     // tcp://HOST:PORT with a PORT that is none (detail: the text given)
  NoHost,            // tcp:// with nothing after it
  HostNotFound,      // the name does not resolve (detail: the resolver's reason)
  Refused,           // nothing listens at the address
  TimedOut,          // no answer to the connection within its time
  Unreachable,       // no route to the host or its network
  ConnectFailed,     // any other reason of the system's (detail)
  NoWelcome,         // nothing answered, not even after a soft reset
  NoAnswer,          // no answer to a question of the handshake (detail: "$I", "$$")
  NoStatus,          // no status report
  LinkLost,          // the link failed during the handshake (detail: the link's own text)
  Other,             // anything else (detail: its text)
};

struct ConnectFailure {
  ConnectFailureKind kind = ConnectFailureKind::Other;
  std::string target;  // the device path or the address, as the text names it
  std::string detail;
  int baud = 0;  // UnsupportedBaud, LineSettings
};

// The command line's text: "cannot open /dev/ttyUSB0: the port is busy, ..." and the like.
std::string ConnectFailureText(const ConnectFailure& failure);

// A failed connection, its text the command line's.
class ConnectError : public Error {
 public:
  explicit ConnectError(ConnectFailure failure)
      : Error(ConnectFailureText(failure)), failure_(std::move(failure)) {}
  const ConnectFailure& Failure() const { return failure_; }

 private:
  ConnectFailure failure_;
};

}  // namespace skelda
