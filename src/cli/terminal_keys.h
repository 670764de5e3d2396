// The keys of a running job on a terminal: one key at a time, no echo, restored on every way
// out (the destructor, and the stop signals through the session's own stop).
#pragma once

#include <termios.h>

namespace skelda::cli {

class TerminalKeys {
 public:
  // Takes standard input out of line mode when it is a terminal; otherwise does nothing.
  TerminalKeys();
  TerminalKeys(const TerminalKeys&) = delete;
  TerminalKeys& operator=(const TerminalKeys&) = delete;
  ~TerminalKeys();

  bool Active() const { return active_; }
  // The next key within timeoutMs, or -1.
  int Next(int timeoutMs);

 private:
  termios saved_{};
  bool active_ = false;
};

}  // namespace skelda::cli
