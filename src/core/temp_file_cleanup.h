// Temporary files that must not outlive the process: an interrupt, a terminal hang-up or a
// termination request removes every registered one before the process ends as the signal ends
// it, so a program or picture being written never leaves a half file beside its target.
#pragma once

namespace skelda {

// Registers a temporary file's path; returns a slot for UnregisterTempFile, or -1 when the
// table is full or the path too long (the file is then simply not removed on a signal). The
// first registration installs the handlers for SIGINT, SIGTERM and SIGHUP, leaving alone any
// of them the process ignores or handles itself.
int RegisterTempFile(const char* path) noexcept;
void UnregisterTempFile(int slot) noexcept;

}  // namespace skelda
