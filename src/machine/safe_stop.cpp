#include "machine/safe_stop.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

namespace skelda {

namespace {

std::atomic<bool> stopRequested{false};
std::atomic<int> crashFd{-1};
std::once_flag installed;

void OnStopSignal(int) {
  stopRequested.store(true);
}

void OnCrash(int signal) {
  // Only write() is safe here: feed hold first so the machine brakes, then reset.
  const int fd = crashFd.load();
  if (fd >= 0) {
    const char bytes[] = {'!', 0x18};
    [[maybe_unused]] const ssize_t n = ::write(fd, bytes, sizeof bytes);
  }
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

void InstallSafeStop() {
  std::call_once(installed, [] {
    struct sigaction stop {};
    stop.sa_handler = OnStopSignal;
    sigemptyset(&stop.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(s, &stop, nullptr);
    struct sigaction crash {};
    crash.sa_handler = OnCrash;
    sigemptyset(&crash.sa_mask);
    crash.sa_flags = SA_RESETHAND;
    for (int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) ::sigaction(s, &crash, nullptr);
    // A write to a socket whose other end closed must fail, not kill the program.
    ::signal(SIGPIPE, SIG_IGN);
  });
}

bool SafeStopRequested() {
  return stopRequested.load();
}
void RequestSafeStop() {
  stopRequested.store(true);
}
void ClearSafeStop() {
  stopRequested.store(false);
}
void SetCrashDescriptor(int fd) {
  crashFd.store(fd);
}

}  // namespace skelda
