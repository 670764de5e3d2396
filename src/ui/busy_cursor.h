// The busy cursor over a long command.
#pragma once

namespace skelda {

// Shows the busy cursor from construction to destruction. The construction first lets the
// window system catch up: a dialog that has just closed is taken off the screen and the window
// under it drawn again before the work starts, and the cursor reaches the screen at once.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace skelda
