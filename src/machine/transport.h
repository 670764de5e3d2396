// The link to a controller: bytes out, bytes in within a timeout, close. A serial port (USB)
// and a raw TCP connection (grblHAL and FluidNC over the network) look the same above here.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "core/errors.h"
#include "machine/connect_failure.h"
#include "simulation/motion_settings.h"

namespace skelda {

// A port that cannot be opened: missing, busy, not permitted, not a port; the text says which
// and what to do.
class PortOpenError : public ConnectError {
 public:
  using ConnectError::ConnectError;
};

// A link that failed after it was open (the port vanished, the connection dropped).
class LinkError : public Error {
 public:
  using Error::Error;
};

class Transport {
 public:
  virtual ~Transport() = default;
  // Every byte, or LinkError.
  virtual void Write(const void* data, std::size_t size) = 0;
  // Waits up to timeoutMs for bytes and returns what has arrived (0: nothing in time); throws
  // LinkError when the link is gone.
  virtual std::size_t Read(char* buffer, std::size_t capacity, int timeoutMs) = 0;
  virtual void Close() = 0;
  // The descriptor the bytes go through, for the crash handler's last write; -1 when closed.
  virtual int Descriptor() const = 0;
  virtual const std::string& Name() const = 0;
};

inline constexpr int kDefaultTcpPort = 23;

// "tcp://HOST[:PORT]" opens a TCP connection; anything else is a serial device path (a
// pseudo-terminal too), opened 8N1 without flow control at `baud`. Throws PortOpenError.
// tcp://HOST[:PORT] rather than a device.
bool IsNetworkPort(const std::string& port);
std::unique_ptr<Transport> OpenTransport(const std::string& port, int baud = kDefaultBaud);
std::unique_ptr<Transport> OpenSerialPort(const std::string& path, int baud);
std::unique_ptr<Transport> OpenTcp(const std::string& host, int port);

}  // namespace skelda
