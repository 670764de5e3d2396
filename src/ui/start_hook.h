// A hook for scripts (scripts/screenshot): load a picture at start and run commands by the
// names of their controls, through the same controls a user clicks.
//
//   SKELDA_OPEN=picture.jpg   the first "Load" takes this file instead of asking
//   SKELDA_RUN=N5,btn9        after that load, these menu items / buttons are triggered in order
//                             (a menu's name opens it; "maximize" maximizes the window)
#pragma once

#include <memory>

#include "ui/dialogs.h"

namespace skelda {

class TForm1;

// The dialogs of the window: the Qt ones, with the first open dialog answered by SKELDA_OPEN
// when it is set.
std::unique_ptr<Dialogs> MakeStartDialogs();

// Queues the load (when SKELDA_OPEN is set) and the SKELDA_RUN commands to run once the event
// loop starts.
void ScheduleStartHook(TForm1& form);

// Opens the menu, triggers the menu item or clicks the button of that object name; false when
// there is none.
bool TriggerControl(TForm1& form, const QString& objectName);

}  // namespace skelda
