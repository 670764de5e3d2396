#include "core/temp_file_cleanup.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace skelda {

namespace {

// A slot is free, being filled (its path not yet complete) or live. The handler reads only
// live slots, so it never sees a half-copied path; lock-free atomics and unlink are safe there.
enum SlotState : int { kFree, kFilling, kLive };

struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};

constexpr int kSlots = 16;
Slot slots[kSlots];
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void RemoveTempFiles(int signal) {
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) == kLive) ::unlink(slot.path);
  }
  // The handler was reset to the default on entry: the signal now ends the process as usual.
  ::raise(signal);
}

void InstallHandlers() {
  for (const int signal : kSignals) {
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) continue;
    struct sigaction action {};
    action.sa_handler = RemoveTempFiles;
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace

int RegisterTempFile(const char* path) noexcept {
  static std::once_flag installed;
  std::call_once(installed, InstallHandlers);
  const std::size_t length = std::strlen(path);
  if (length >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(slots[i].path, path, length + 1);
    slots[i].state.store(kLive, std::memory_order_release);
    return i;
  }
  return -1;
}

void UnregisterTempFile(int slot) noexcept {
  if (slot >= 0 && slot < kSlots) slots[slot].state.store(kFree, std::memory_order_release);
}

}  // namespace skelda
