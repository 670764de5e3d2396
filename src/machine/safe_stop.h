// The last line of defence for a running laser. SIGINT, SIGTERM and SIGHUP only raise a flag:
// the session's own thread sees it and runs the stop sequence while the port is alive. A crash
// (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) writes feed hold and soft reset straight to the
// port's descriptor, the one thing still safe to do, before the default action.
#pragma once

namespace skelda {

// Installs the handlers once; later calls do nothing.
void InstallSafeStop();
// The stop signal's flag, raised by the handlers (and by RequestSafeStop).
bool SafeStopRequested();
void RequestSafeStop();
void ClearSafeStop();
// The descriptor the crash handler writes to; -1 for none.
void SetCrashDescriptor(int fd);

}  // namespace skelda
