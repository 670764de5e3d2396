// Rotating a picture: exact quarter and half turns, and a nearest-neighbour rotation about the
// top-left corner for every other angle.
#pragma once

#include "core/bitmap.h"
#include "core/color.h"

namespace skelda {

// Converts the bitmap to 24 bits and replaces it by the picture turned by angle degrees,
// clockwise on screen. Whole angles: -360, 0, 360 and 720 leave it as converted; 90 is an
// exact clockwise quarter turn, 270 and -90 an exact counter-clockwise one (both give an
// H x W picture); 180 an exact half turn. Every other angle uses the general rotation, whose
// uncovered corners take the fill colour. A NaN or infinite angle raises InvalidOpError and
// changes nothing.
void RotateBitmap(Bitmap& bitmap, Color fill, double angle);

// Which of those paths an angle takes.
enum class RotationKind { None, Clockwise, CounterClockwise, HalfTurn, General };
RotationKind KindOfRotation(double angle);

}  // namespace skelda
