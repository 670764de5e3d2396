#include "ui/tool_images.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <array>

// The resources sit in a static library: nothing else would pull them into the program.
static void LoadToolImageResources() {
  Q_INIT_RESOURCE(tool_images);
}

namespace skelda {
namespace {

// The drawings live in assets/tool_images as 48-unit SVG files in one line-icon style: dark
// slate outlines with round ends, a pale fill and one orange accent. The tool bar's image list
// holds them in this order.
constexpr std::array<const char*, kToolImageCount> kToolImageNames = {"new_page",
                                                                      "ruler",
                                                                      "zoom_in",
                                                                      "eye",
                                                                      "fit_to_window",
                                                                      "open_folder",
                                                                      "save",
                                                                      "undo",
                                                                      "redo",
                                                                      "crop",
                                                                      "one_to_one",
                                                                      "grid",
                                                                      "sliders",
                                                                      "threshold",
                                                                      "original",
                                                                      "dithering",
                                                                      "rotate_clockwise",
                                                                      "rotate_counter_clockwise",
                                                                      "mirror_top_bottom",
                                                                      "mirror_left_right",
                                                                      "gcode",
                                                                      "invert",
                                                                      "confirm",
                                                                      "warp"};

QPixmap Render(const char* name, int size) {
  static const bool loaded = (LoadToolImageResources(), true);
  (void)loaded;
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QSvgRenderer svg(QStringLiteral(":/tool_images/%1.svg").arg(QLatin1String(name)));
  QPainter p(&image);
  svg.render(&p, QRectF(0, 0, size, size));
  p.end();
  return QPixmap::fromImage(image);
}

}  // namespace

QPixmap ToolImage(int index) {
  if (index < 0 || index >= kToolImageCount) return QPixmap();
  return Render(kToolImageNames[index], kToolImageSize);
}

QPixmap LoadGlyph() {
  return Render("open_folder", 32);
}

QIcon WindowIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addPixmap(Render("window_icon", size));
  return icon;
}

}  // namespace skelda
