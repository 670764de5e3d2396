// fake-grbl: a GRBL 1.1 controller on a pseudo-terminal, for trying skelda-cli --send without a
// laser. Prints the port to give --send, then serves until interrupted.
//   fake-grbl [--baud N] [--speed X] [--error-at N[:CODE]] [--alarm-at N[:CODE]]
//             [--close-at N] [--silent-at N] [--reset-at N] [--alarm] [--set N=V]...
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/fake_grbl.h"

namespace {

volatile sig_atomic_t quit = 0;
void OnSignal(int) {
  quit = 1;
}

void Coded(const char* value, int& at, int& code) {
  at = std::atoi(value);
  if (const char* colon = std::strchr(value, ':')) code = std::atoi(colon + 1);
}

}  // namespace

int main(int argc, char** argv) {
  skelda::testing::FakeGrblOptions o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
    if (a == "--alarm") {
      o.startInAlarm = true;
      continue;
    }
    if (!v) {
      std::fprintf(stderr, "fake-grbl: unknown or incomplete option '%s'\n", a.c_str());
      return 2;
    }
    ++i;
    if (a == "--baud")
      o.baud = std::atoi(v);
    else if (a == "--speed")
      o.speed = std::atof(v);
    else if (a == "--error-at")
      Coded(v, o.errorAt, o.errorCode);
    else if (a == "--alarm-at")
      Coded(v, o.alarmAt, o.alarmCode);
    else if (a == "--close-at")
      o.closeAt = std::atoi(v);
    else if (a == "--silent-at")
      o.silentAt = std::atoi(v);
    else if (a == "--reset-at")
      o.resetAt = std::atoi(v);
    else if (a == "--set" && std::strchr(v, '='))
      o.settings[std::atoi(v)] = std::atof(std::strchr(v, '=') + 1);
    else {
      std::fprintf(stderr, "fake-grbl: unknown option '%s'\n", a.c_str());
      return 2;
    }
  }
  signal(SIGINT, OnSignal);
  signal(SIGTERM, OnSignal);
  skelda::testing::FakeGrbl grbl(o);
  std::printf("%s\n", grbl.Path().c_str());
  std::fflush(stdout);
  while (!quit) ::pause();
  std::fprintf(stderr, "fake-grbl: %zu lines, %zu bytes dropped\n", grbl.Lines().size(),
               grbl.Dropped());
  return 0;
}
