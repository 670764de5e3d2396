#include "ui/preview_canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "core/bitmap.h"
#include "ui/bitmap_image.h"

namespace skelda {

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PictureArea"));
  setAutoFillBackground(true);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  setMouseTracking(true);
}

void PreviewCanvas::ShowBitmap(const Bitmap* bitmap) {
  bitmap_ = bitmap;
}

void PreviewCanvas::paintEvent(QPaintEvent* event) {
  if (bitmap_ == nullptr || bitmap_->Empty()) return;
  QImage image;
  try {
    image = ImageOfBitmap(*bitmap_);
  } catch (...) {
    return;  // a layout that needs a converted copy and no memory for it: nothing to draw
  }
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.drawImage(QPoint(0, 0), image);
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit mousePressed(event->button(), p.x(), p.y());
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit mouseMoved(event->buttons(), p.x(), p.y());
}

void PreviewCanvas::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit mouseReleased(event->button(), p.x(), p.y());
}

}  // namespace skelda
