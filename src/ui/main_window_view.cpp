// The picture area: fit to window, 1:1, the redraw on a change of the window's size or state,
// and the warp tool's mouse events.
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>
#include <utility>

#include "geometry/warp/warp_tool.h"
#include "intake/intake_commands.h"
#include "ui/main_window.h"
#include "ui/preview_canvas.h"

namespace skelda {
namespace {

constexpr int kSizeSettleMs = 50;

}  // namespace

// The room for the picture is measured from the outer size of the window, frame and menu bar
// included, less the panel, the tool bar, the status bar and a margin of 20.
void TForm1::btn9Click() {
  RunBusy([this] {
    const QRect outer = frameGeometry();
    const int availW = outer.width() - pnl1->width();
    const int availH = outer.height() - tlb1->height() - stat1->height() - 20;
    if (FitToWindow(ws_, edt1->text().toStdString(), availW, availH)) RefreshPreview();
  });
}

void TForm1::btn13Click() {
  ws_.MouseTool = kMouseToolWarp;
}

// A warp drag ends by committing the picture; the state at its press is what its undo gives.
void TForm1::FormMouseDown(Qt::MouseButton button, int X, int Y) {
  if (ws_.MouseTool == kMouseToolWarp && !warpBefore_) warpBefore_ = CaptureState();
  RunCommand([&] {
    if (WarpPress(ws_, X, Y, button == Qt::LeftButton) && !handCursor_) {
      QApplication::setOverrideCursor(Qt::PointingHandCursor);
      handCursor_ = true;
    }
  });
}

// The picture area is a neutral surface for the status-bar hints: a move over it clears the
// text before the mouse tool goes on.
void TForm1::FormMouseMove(Qt::MouseButtons buttons, int X, int Y) {
  stat1->clearMessage();
  RunCommand([&] {
    if ((buttons & Qt::LeftButton) && WarpMove(ws_, X, Y)) canvas_->repaint();
  });
}

void TForm1::FormMouseUp(Qt::MouseButton, int, int) {
  RunCommand([this] { WarpRelease(ws_); });
  if (warpBefore_) RecordState(std::exchange(warpBefore_, std::nullopt));
  if (handCursor_) {
    QApplication::restoreOverrideCursor();
    handCursor_ = false;
  }
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) FormCanResize();
  if (event->type() == QEvent::LanguageChange) ShowTexts();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // Taken back a moment later, when the window manager has also announced a change of state
  // (a maximize may arrive as a new size before the new state).
  QTimer::singleShot(kSizeSettleMs, this, &TForm1::KeepNormalSize);
  FormCanResize();
}

// Every change of size is allowed; the picture is drawn again at the top-left corner.
void TForm1::FormCanResize() {
  RefreshPreview();
}

}  // namespace skelda
