#include "ui/tool_images.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <functional>
#include <numbers>

namespace skelda {
namespace {

// One style for every picture: dark slate outlines 3 units wide with round ends, a pale fill
// and one orange accent, drawn in a 48-unit square and scaled to the wanted size.
const QColor kInk(0x33, 0x41, 0x55);
const QColor kPale(0xEE, 0xF2, 0xF7);
const QColor kAccent(0xF0, 0x6A, 0x1A);
const QColor kAccentPale(0xFD, 0xE3, 0xD2);
constexpr double kStroke = 3.0;

QPen InkPen(double width = kStroke, const QColor& color = kInk) {
  return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

using Drawing = std::function<void(QPainter&)>;

QImage Render(int size, const Drawing& draw) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 48.0, size / 48.0);
  draw(p);
  return image;
}

// An arrow head whose tip is at `tip`, pointing along the angle (radians, screen y down).
void ArrowHead(QPainter& p, QPointF tip, double angle, double length, const QColor& color) {
  const double spread = 0.5;
  const QPointF a = tip - length * QPointF(std::cos(angle - spread), std::sin(angle - spread));
  const QPointF b = tip - length * QPointF(std::cos(angle + spread), std::sin(angle + spread));
  p.setPen(InkPen(2.0, color));
  p.setBrush(color);
  p.drawPolygon(QPolygonF({tip, a, b}));
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
  p.setPen(InkPen(kStroke, color));
  const QPointF d = to - from;
  const double angle = std::atan2(d.y(), d.x());
  const QPointF shaftEnd = to - 4.0 * QPointF(std::cos(angle), std::sin(angle));
  p.drawLine(from, shaftEnd);
  ArrowHead(p, to, angle, 8.0, color);
}

void Frame(QPainter& p, const QRectF& r, const QColor& fill = kPale) {
  p.setPen(InkPen());
  p.setBrush(fill);
  p.drawRoundedRect(r, 4, 4);
}

// A small landscape: the sun and two hills, inside r.
void Landscape(QPainter& p, const QRectF& r) {
  Frame(p, r, Qt::white);
  p.save();
  QPainterPath clip;
  clip.addRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
  p.setClipPath(clip);
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(r.left() + r.width() * 0.7, r.top() + r.height() * 0.3), r.width() * 0.1,
                r.width() * 0.1);
  QPainterPath hills;
  hills.moveTo(r.left(), r.bottom());
  hills.lineTo(r.left(), r.bottom() - r.height() * 0.2);
  hills.lineTo(r.left() + r.width() * 0.35, r.top() + r.height() * 0.4);
  hills.lineTo(r.left() + r.width() * 0.6, r.top() + r.height() * 0.68);
  hills.lineTo(r.left() + r.width() * 0.75, r.top() + r.height() * 0.55);
  hills.lineTo(r.right(), r.bottom() - r.height() * 0.15);
  hills.lineTo(r.right(), r.bottom());
  hills.closeSubpath();
  p.setBrush(kInk);
  p.drawPath(hills);
  p.restore();
  p.setPen(InkPen());
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r, 4, 4);
}

// A quarter-turn arrow around a portrait sheet; clockwise or not.
void Rotate(QPainter& p, bool clockwise) {
  p.save();
  if (!clockwise) {
    p.translate(48, 0);
    p.scale(-1, 1);
  }
  Frame(p, QRectF(9, 16, 20, 26));
  p.setPen(InkPen(2.0));
  p.drawLine(QPointF(13, 24), QPointF(25, 24));
  p.drawLine(QPointF(13, 29), QPointF(25, 29));
  p.drawLine(QPointF(13, 34), QPointF(21, 34));
  // The arc runs from above the sheet round to its right side.
  p.setPen(InkPen(kStroke, kAccent));
  p.setBrush(Qt::NoBrush);
  const QRectF arc(14, 6, 28, 28);
  p.drawArc(arc, 150 * 16, -130 * 16);
  const double end = 20.0 * std::numbers::pi / 180.0;
  const QPointF tip(28 + 14 * std::cos(end) + 0.5, 20 - 14 * std::sin(end) + 4.5);
  ArrowHead(p, tip, std::numbers::pi / 2 + 0.25, 9.0, kAccent);
  p.restore();
}

// Two mirror-image triangles across a dashed axis; the axis is horizontal for top-bottom.
void Mirror(QPainter& p, bool topBottom) {
  p.save();
  if (topBottom) {
    p.translate(48, 0);
    p.rotate(90);
  }
  p.setPen(InkPen(kStroke));
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({QPointF(19, 9), QPointF(19, 39), QPointF(5, 39)}));
  p.setPen(InkPen(kStroke, kAccent));
  p.setBrush(kAccentPale);
  p.drawPolygon(QPolygonF({QPointF(29, 9), QPointF(29, 39), QPointF(43, 39)}));
  QPen axis = InkPen(2.0);
  axis.setDashPattern({2.0, 2.0});
  p.setPen(axis);
  p.drawLine(QPointF(24, 3), QPointF(24, 45));
  p.restore();
}

void FitToWindow(QPainter& p) {
  Frame(p, QRectF(4, 7, 40, 34));
  const QPointF c(24, 24);
  Arrow(p, c + QPointF(-3, -3), QPointF(10, 13), kAccent);
  Arrow(p, c + QPointF(3, -3), QPointF(38, 13), kAccent);
  Arrow(p, c + QPointF(-3, 3), QPointF(10, 35), kAccent);
  Arrow(p, c + QPointF(3, 3), QPointF(38, 35), kAccent);
}

void OneToOne(QPainter& p) {
  Frame(p, QRectF(4, 7, 40, 34));
  p.setPen(InkPen(3.5, kAccent));
  // "1", ":" and "1" drawn as strokes, so they look the same with any installed font.
  for (double x : {14.0, 34.0}) {
    p.drawLine(QPointF(x, 15), QPointF(x, 33));
    p.drawLine(QPointF(x, 15), QPointF(x - 4, 19));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(24, 19), 2.2, 2.2);
  p.drawEllipse(QPointF(24, 29), 2.2, 2.2);
}

void Original(QPainter& p) {
  Landscape(p, QRectF(4, 8, 40, 32));
}

void Dithering(QPainter& p) {
  // Dots that grow from right to left: a grey ramp made of black dots.
  p.setPen(Qt::NoPen);
  for (int col = 0; col < 5; ++col) {
    const double radius = 3.6 - col * 0.65;
    for (int row = 0; row < 5; ++row) {
      const bool accentDot = (col + row) % 4 == 0 && col > 1;
      p.setBrush(accentDot ? kAccent : kInk);
      p.drawEllipse(QPointF(8 + col * 8, 8 + row * 8), radius, radius);
    }
  }
}

void Threshold(QPainter& p) {
  // A grey ramp above, cut at the middle into black and white below.
  const QRectF ramp(5, 6, 38, 11);
  QLinearGradient grey(ramp.topLeft(), ramp.topRight());
  grey.setColorAt(0, kInk);
  grey.setColorAt(1, Qt::white);
  p.setPen(InkPen(2.5));
  p.setBrush(grey);
  p.drawRoundedRect(ramp, 3, 3);
  const QRectF split(5, 28, 38, 14);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRoundedRect(split, 3, 3);
  QPainterPath whole;
  whole.addRoundedRect(split, 3, 3);
  QPainterPath left;
  left.addRect(QRectF(5, 28, 19, 14));
  p.setBrush(kInk);
  p.drawPath(whole.intersected(left));
  p.setPen(InkPen(2.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(split, 3, 3);
  // The cut: a marker from the ramp down to the split.
  p.setPen(InkPen(2.5, kAccent));
  p.drawLine(QPointF(24, 14), QPointF(24, 23));
  ArrowHead(p, QPointF(24, 27), std::numbers::pi / 2, 6.0, kAccent);
}

void Invert(QPainter& p) {
  // A disc half dark, half light, with a spot of the other shade in each half.
  const QPointF c(24, 24);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(c, 19, 19);
  p.setBrush(kInk);
  p.drawPie(QRectF(5, 5, 38, 38), 90 * 16, 180 * 16);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(15, 24), 4.5, 4.5);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(33, 24), 4.5, 4.5);
  p.setPen(InkPen());
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, 19, 19);
}

void Warp(QPainter& p) {
  // A grid whose middle is dragged down and to the right by the pointer.
  const QPointF grab(20, 20), drop(27, 27);
  auto bend = [&](double x, double y) {
    const QPointF d = QPointF(x, y) - grab;
    const double pull = 150.0 / (QPointF::dotProduct(d, d) + 150.0);
    return QPointF(x, y) + pull * (drop - grab);
  };
  p.setPen(InkPen(1.8));
  p.setBrush(Qt::NoBrush);
  for (int k = 0; k <= 4; ++k) {
    QPainterPath row, col;
    const double fixed = 5 + k * 9.5;
    for (int s = 0; s <= 38; ++s) {
      const double t = 5 + s;
      const QPointF a = bend(t, fixed), b = bend(fixed, t);
      if (s == 0) {
        row.moveTo(a);
        col.moveTo(b);
      } else {
        row.lineTo(a);
        col.lineTo(b);
      }
    }
    p.drawPath(row);
    p.drawPath(col);
  }
  QPolygonF pointer({QPointF(0, 0), QPointF(0, 19), QPointF(5, 14.5), QPointF(8.5, 22),
                     QPointF(12, 20.5), QPointF(8.5, 13), QPointF(14.5, 13)});
  pointer.translate(drop);
  p.setPen(InkPen(4.5, Qt::white));
  p.setBrush(Qt::white);
  p.drawPolygon(pointer);
  p.setPen(InkPen(1.8, kInk));
  p.setBrush(kAccent);
  p.drawPolygon(pointer);
}

void Confirm(QPainter& p) {
  p.setPen(InkPen());
  p.setBrush(kPale);
  p.drawEllipse(QPointF(24, 24), 19, 19);
  p.setPen(InkPen(5.0, kAccent));
  p.drawPolyline(QPolygonF({QPointF(14, 25), QPointF(21, 32), QPointF(34, 17)}));
}

void GCode(QPainter& p) {
  // The laser head with its "G", the beam burning the end of a dashed tool path.
  p.setPen(InkPen());
  p.setBrush(kPale);
  p.drawRoundedRect(QRectF(11, 3, 26, 19), 4, 4);
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({QPointF(18, 22), QPointF(30, 22), QPointF(27, 27), QPointF(21, 27)}));
  p.setPen(InkPen(2.8, kInk));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(18, 6.5, 12, 12), 45 * 16, 275 * 16);
  p.drawLine(QPointF(24.5, 12.5), QPointF(29.5, 12.5));
  p.drawLine(QPointF(29.5, 12.5), QPointF(29.5, 15.5));
  p.setPen(InkPen(2.5, kAccent));
  p.drawLine(QPointF(24, 29), QPointF(24, 36));
  QPen path = InkPen(2.5);
  path.setDashPattern({1.0, 1.8});
  p.setPen(path);
  p.drawPolyline(QPolygonF({QPointF(4, 44), QPointF(4, 40), QPointF(44, 40), QPointF(44, 44)}));
  p.setPen(InkPen(3.0, kAccent));
  p.drawLine(QPointF(4, 40), QPointF(24, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(24, 40), 3.5, 3.5);
}

void OpenFolder(QPainter& p) {
  p.setPen(InkPen());
  p.setBrush(kPale);
  QPainterPath back;
  back.moveTo(5, 38);
  back.lineTo(5, 11);
  back.quadTo(5, 9, 7, 9);
  back.lineTo(17, 9);
  back.lineTo(21, 13);
  back.lineTo(37, 13);
  back.quadTo(39, 13, 39, 15);
  back.lineTo(39, 20);
  p.drawPath(back);
  p.setBrush(kAccent);
  p.drawPolygon(QPolygonF({QPointF(5, 39), QPointF(12, 21), QPointF(44, 21), QPointF(37, 39)}));
}

void Page(QPainter& p) {
  p.setPen(InkPen());
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF(
      {QPointF(10, 5), QPointF(29, 5), QPointF(38, 14), QPointF(38, 43), QPointF(10, 43)}));
  p.drawPolyline(QPolygonF({QPointF(29, 5), QPointF(29, 14), QPointF(38, 14)}));
}

void NewPage(QPainter& p) {
  Page(p);
  p.setPen(InkPen(3.0, kAccent));
  p.drawLine(QPointF(24, 22), QPointF(24, 36));
  p.drawLine(QPointF(17, 29), QPointF(31, 29));
}

void Ruler(QPainter& p) {
  p.save();
  p.translate(24, 24);
  p.rotate(-45);
  p.setPen(InkPen());
  p.setBrush(kPale);
  p.drawRoundedRect(QRectF(-22, -8, 44, 16), 2, 2);
  p.setPen(InkPen(2.0));
  for (int k = -3; k <= 3; ++k) p.drawLine(QPointF(k * 5.5, -8), QPointF(k * 5.5, k % 2 ? -4 : -1));
  p.restore();
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(24, 24), 2.5, 2.5);
}

void Eye(QPainter& p) {
  p.setPen(InkPen());
  p.setBrush(Qt::white);
  QPainterPath eye;
  eye.moveTo(4, 24);
  eye.quadTo(24, 4, 44, 24);
  eye.quadTo(24, 44, 4, 24);
  p.drawPath(eye);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(24, 24), 7, 7);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(QPointF(24, 24), 3, 3);
}

void Save(QPainter& p) {
  p.setPen(InkPen());
  p.setBrush(kPale);
  p.drawPolygon(
      QPolygonF({QPointF(6, 6), QPointF(36, 6), QPointF(42, 12), QPointF(42, 42), QPointF(6, 42)}));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(13, 26, 22, 16));
  p.setBrush(kAccent);
  p.drawRect(QRectF(14, 6, 18, 10));
}

void ZoomIn(QPainter& p) {
  p.setPen(InkPen());
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(20, 20), 13, 13);
  p.setPen(InkPen(5.0));
  p.drawLine(QPointF(30, 30), QPointF(42, 42));
  p.setPen(InkPen(3.0, kAccent));
  p.drawLine(QPointF(14, 20), QPointF(26, 20));
  p.drawLine(QPointF(20, 14), QPointF(20, 26));
}

void Undo(QPainter& p, bool redo) {
  p.save();
  if (redo) {
    p.translate(48, 0);
    p.scale(-1, 1);
  }
  p.setPen(InkPen(3.5));
  p.setBrush(Qt::NoBrush);
  QPainterPath curve;
  curve.moveTo(12, 20);
  curve.lineTo(30, 20);
  curve.cubicTo(44, 20, 44, 40, 30, 40);
  curve.lineTo(18, 40);
  p.drawPath(curve);
  ArrowHead(p, QPointF(5, 20), std::numbers::pi, 10.0, kAccent);
  p.restore();
}

void Crop(QPainter& p) {
  p.setPen(InkPen(3.5));
  p.drawPolyline(QPolygonF({QPointF(13, 4), QPointF(13, 35), QPointF(44, 35)}));
  p.drawPolyline(QPolygonF({QPointF(4, 13), QPointF(35, 13), QPointF(35, 44)}));
  p.setPen(InkPen(2.0, kAccent));
  p.drawLine(QPointF(16, 32), QPointF(32, 16));
}

void Grid(QPainter& p) {
  Frame(p, QRectF(6, 6, 36, 36));
  p.setPen(InkPen(2.0));
  for (double v : {18.0, 30.0}) {
    p.drawLine(QPointF(v, 8), QPointF(v, 40));
    p.drawLine(QPointF(8, v), QPointF(40, v));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawRect(QRectF(19.5, 19.5, 9, 9));
}

void Gear(QPainter& p) {
  p.setPen(InkPen());
  p.setBrush(kPale);
  QPainterPath gear;
  const int teeth = 8;
  for (int k = 0; k < teeth * 2; ++k) {
    const double a0 = k * std::numbers::pi / teeth, a1 = (k + 1) * std::numbers::pi / teeth;
    const double r = (k % 2 == 0) ? 19.0 : 14.0;
    const QPointF p0(24 + r * std::cos(a0), 24 + r * std::sin(a0));
    const QPointF p1(24 + r * std::cos(a1), 24 + r * std::sin(a1));
    if (k == 0)
      gear.moveTo(p0);
    else
      gear.lineTo(p0);
    gear.lineTo(p1);
  }
  gear.closeSubpath();
  p.drawPath(gear);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(24, 24), 6, 6);
}

void Sliders(QPainter& p) {
  p.setPen(InkPen());
  for (double y : {12.0, 24.0, 36.0}) p.drawLine(QPointF(6, y), QPointF(42, y));
  p.setBrush(Qt::white);
  p.setPen(InkPen(2.5, kAccent));
  p.drawEllipse(QPointF(16, 12), 4.5, 4.5);
  p.drawEllipse(QPointF(32, 24), 4.5, 4.5);
  p.drawEllipse(QPointF(22, 36), 4.5, 4.5);
}

Drawing DrawingFor(int index) {
  switch (index) {
    case 0:
      return NewPage;
    case 1:
      return Ruler;
    case 2:
      return ZoomIn;
    case 3:
      return Eye;
    case 4:
      return FitToWindow;
    case 5:
      return OpenFolder;
    case 6:
      return Save;
    case 7:
      return [](QPainter& p) { Undo(p, false); };
    case 8:
      return [](QPainter& p) { Undo(p, true); };
    case 9:
      return Crop;
    case 10:
      return OneToOne;
    case 11:
      return Grid;
    case 12:
      return Sliders;
    case 13:
      return Threshold;
    case 14:
      return Original;
    case 15:
      return Dithering;
    case 16:
      return [](QPainter& p) { Rotate(p, true); };
    case 17:
      return [](QPainter& p) { Rotate(p, false); };
    case 18:
      return [](QPainter& p) { Mirror(p, true); };
    case 19:
      return [](QPainter& p) { Mirror(p, false); };
    case 20:
      return GCode;
    case 21:
      return Invert;
    case 22:
      return Confirm;
    case 23:
      return Warp;
    default:
      return Gear;
  }
}

void AppIcon(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawRoundedRect(QRectF(1, 1, 46, 46), 9, 9);
  // A laser head and its beam burning a dot on a white sheet.
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(7, 30, 34, 12), 3, 3);
  p.setBrush(kPale);
  p.drawRoundedRect(QRectF(15, 5, 18, 11), 3, 3);
  p.drawPolygon(QPolygonF({QPointF(18, 16), QPointF(30, 16), QPointF(26, 21), QPointF(22, 21)}));
  p.setPen(InkPen(3.0, kAccent));
  p.drawLine(QPointF(24, 22), QPointF(24, 33));
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(24, 36), 4.5, 4.5);
}

}  // namespace

QPixmap ToolImage(int index) {
  if (index < 0 || index >= kToolImageCount) return QPixmap();
  return QPixmap::fromImage(Render(kToolImageSize, DrawingFor(index)));
}

QPixmap LoadGlyph() {
  return QPixmap::fromImage(Render(32, OpenFolder));
}

QIcon WindowIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addPixmap(QPixmap::fromImage(Render(size, AppIcon)));
  return icon;
}

}  // namespace skelda
