// Status-bar hints: one sentence about a tool button or field, shown in the status bar while
// the pointer moves over it, and cleared over the neutral surfaces of the window.
#pragma once

#include <QStatusBar>
#include <QString>
#include <QWidget>

namespace skelda {

// The hint of the control with that object name; an empty text for controls without one.
QString HintFor(const QString& objectName);

// Finds the hinted controls and the clearing surfaces (pnl1, tlb1, stat1) among form1's
// descendants by object name, switches their mouse tracking on and watches their mouse moves:
// a hinted control shows its hint in stat1, a clearing surface's own background clears it, and
// every other control leaves the text as it was. A disabled hinted field (which gets no mouse
// moves of its own) shows its hint too: the surface under it resolves the control at the
// pointer. Controls that are missing are skipped. Empty status tips (menu items) no longer
// reach form1, so they leave the text alone; a menu item with a tip of its own shows it. The
// watcher is owned by form1.
void InstallStatusHints(QWidget& form1, QStatusBar& stat1);

}  // namespace skelda
