// The program's own pictures: the 24 images of the tool bar, the glyph of the "Load" button and
// the window icon, rendered from the SVG drawings the program carries.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace skelda {

inline constexpr int kToolImageCount = 24;
inline constexpr int kToolImageSize = 48;

// Image `index` (0 .. 23) of the tool bar's image list: 48 x 48 with a transparent background.
// Indexes outside the range give a null pixmap.
QPixmap ToolImage(int index);
// The 32 x 32 folder glyph shown above the caption of the "Load" button.
QPixmap LoadGlyph();
// The 32 x 32 window icon.
QIcon WindowIcon();

}  // namespace skelda
