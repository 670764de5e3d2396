#include "cli/terminal_keys.h"

#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace skelda::cli {

namespace {

termios savedAtExit;
bool restoreAtExit = false;

// Also on exit() from anywhere, so a shell is never left without echo.
void RestoreAtExit() {
  if (restoreAtExit) ::tcsetattr(STDIN_FILENO, TCSANOW, &savedAtExit);
}

}  // namespace

TerminalKeys::TerminalKeys() {
  if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &saved_) != 0) return;
  termios raw = saved_;
  // Ctrl+C keeps raising SIGINT: the safe stop answers it.
  raw.c_lflag &= ~(ICANON | ECHO);
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  if (::tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) return;
  active_ = true;
  savedAtExit = saved_;
  if (!restoreAtExit) std::atexit(RestoreAtExit);
  restoreAtExit = true;
}

TerminalKeys::~TerminalKeys() {
  if (!active_) return;
  ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  restoreAtExit = false;
}

int TerminalKeys::Next(int timeoutMs) {
  if (!active_) {
    ::poll(nullptr, 0, timeoutMs);
    return -1;
  }
  pollfd pfd{STDIN_FILENO, POLLIN, 0};
  if (::poll(&pfd, 1, timeoutMs) != 1) return -1;
  unsigned char key = 0;
  return ::read(STDIN_FILENO, &key, 1) == 1 ? key : -1;
}

}  // namespace skelda::cli
