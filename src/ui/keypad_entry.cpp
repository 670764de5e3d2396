#include "ui/keypad_entry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>

namespace skelda {
namespace {

// The entry that is waiting right now. A newer entry runs inside the older one's wait, so the
// older one can only leave its loop after the newer has finished; it then ends without a value,
// since the value went to the newer one.
struct WaitingEntry {
  QEventLoop* loop = nullptr;
  bool abandoned = false;
};
WaitingEntry* g_waitingEntry = nullptr;

// Ends the wait when the main window goes away: a hide that the window system did not cause
// (a minimize is spontaneous) means the window was closed.
class MainWindowWatcher : public QObject {
 public:
  explicit MainWindowWatcher(QEventLoop& loop) : loop_(loop) {}
  bool closed = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Hide && !event->spontaneous()) {
      closed = true;
      loop_.quit();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QEventLoop& loop_;
};

void ShowCentred(TForm2& keypad, QWidget& mainWindow) {
  if (!keypad.isVisible()) {
    const QPoint centre = mainWindow.frameGeometry().center();
    const QSize size = keypad.frameGeometry().size();
    keypad.move(centre.x() - size.width() / 2, centre.y() - size.height() / 2);
  }
  keypad.show();
  keypad.raise();
  keypad.activateWindow();
}

}  // namespace

std::optional<QString> RunKeypadEntry(TForm2& keypad, QLineEdit& edt9, QWidget& mainWindow,
                                      bool& confirmClicked) {
  confirmClicked = false;
  ShowCentred(keypad, mainWindow);

  QPointer<QLineEdit> field(&edt9);
  QPointer<QWidget> main(&mainWindow);
  QPointer<TForm2> keypadAlive(&keypad);
  if (edt9.text().isEmpty()) {
    QEventLoop loop;
    WaitingEntry self{&loop, false};
    if (g_waitingEntry != nullptr) {
      g_waitingEntry->abandoned = true;
      g_waitingEntry->loop->quit();
    }
    g_waitingEntry = &self;

    bool mainDestroyed = false;
    MainWindowWatcher watcher(loop);
    mainWindow.installEventFilter(&watcher);
    // The confirm button is deliberately not watched: it applies the tone changes and leaves a
    // waiting entry to the keypad.
    QObject::connect(&edt9, &QLineEdit::textChanged, &loop, [&loop](const QString& text) {
      if (!text.isEmpty()) loop.quit();
    });
    QObject::connect(&keypad, &TForm2::closed, &loop, &QEventLoop::quit);
    QObject::connect(&mainWindow, &QObject::destroyed, &loop, [&] {
      mainDestroyed = true;
      loop.quit();
    });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);

    loop.exec();

    if (g_waitingEntry == &self) g_waitingEntry = nullptr;
    if (main) main->removeEventFilter(&watcher);
    if (self.abandoned || mainDestroyed || watcher.closed) {
      // No stale text may feed a later entry, and the keypad goes with its main window.
      if (field) field->clear();
      if (watcher.closed && keypadAlive) keypadAlive->close();
      return std::nullopt;
    }
  }
  if (!field) return std::nullopt;
  const QString value = field->text();
  if (value.isEmpty()) return std::nullopt;
  field->clear();
  return value;
}

}  // namespace skelda
