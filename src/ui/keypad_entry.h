// One keypad entry of the main window: show the keypad, wait for its value in edt9 while the
// application keeps handling events, then hand the value over.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <optional>

#include "ui/keypad_window.h"

namespace skelda {

// Clears confirmClicked, shows the keypad (modeless, centred on mainWindow, or brought to the
// front when it is already open) and waits in a nested event loop, spending no CPU, until edt9
// holds text. Returns that text and empties edt9; the caller stores it in its field and runs the
// follow-up.
//
// Returns nullopt, writing nothing, when the entry ends without a value: the keypad was closed
// by its close box or by "EN" with an empty display; the main window was closed or destroyed or
// the application is quitting; or another entry was started while this one waited (the newer
// entry takes the next value, this one ends as soon as the newer one has finished).
// The confirm button (ConfirmClicked) does not touch a waiting entry: it keeps waiting.
std::optional<QString> RunKeypadEntry(TForm2& keypad, QLineEdit& edt9, QWidget& mainWindow,
                                      bool& confirmClicked);

}  // namespace skelda
