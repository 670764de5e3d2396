#include "ui/busy_cursor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>

namespace skelda {

// Only the events already pending are handled, and no input: a click made meanwhile waits
// until the command has ended.
BusyCursor::BusyCursor() {
  QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

BusyCursor::~BusyCursor() {
  QGuiApplication::restoreOverrideCursor();
}

}  // namespace skelda
