// The picture area: shows a bitmap 1:1 at its top-left corner and repaints it whenever the window
// system asks, so the picture never goes blank behind another window or after a restore. Its
// mouse events are the window's own (FormMouseDown, FormMouseMove, FormMouseUp).
#pragma once

#include <QWidget>

namespace skelda {

class Bitmap;

class PreviewCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewCanvas(QWidget* parent = nullptr);

  // From now on the canvas shows this bitmap, which must outlive it; the pixels are read in
  // place at every paint, so the canvas never holds a stale copy.
  void ShowBitmap(const Bitmap* bitmap);
  const Bitmap* ShownBitmap() const { return bitmap_; }

 signals:
  void mousePressed(Qt::MouseButton button, int x, int y);
  void mouseMoved(Qt::MouseButtons buttons, int x, int y);
  void mouseReleased(Qt::MouseButton button, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const Bitmap* bitmap_ = nullptr;
};

}  // namespace skelda
