// The window's connection to a controller: the session, whose listener calls arrive on the
// session's own thread, handed over to the window's thread through its event queue. The window
// never waits for the controller; it only posts requests to the session.
#pragma once

#include <QObject>
#include <memory>

#include "machine/session.h"

namespace skelda {

class MachineLink : public QObject {
 public:
  // `window` is called on this object's thread, never after this object is gone.
  MachineLink(SessionListener& window, QObject* parent = nullptr);
  // Runs the session's safe stop when a job is still running.
  ~MachineLink() override;

  MachineSession& Session() { return *session_; }
  // From now on nothing more reaches the window, not even the calls already queued.
  void Detach();

 private:
  class Relay;
  std::unique_ptr<Relay> relay_;
  std::unique_ptr<MachineSession> session_;  // gone, and its thread joined, before relay_
};

}  // namespace skelda
