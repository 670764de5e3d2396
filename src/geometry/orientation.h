// Turning a picture over and around: mirror, quarter, half and general turns. The classic
// routines work on the 24-bit form; the direct ones write a 32-bit picture straight into a
// second 32-bit bitmap with the pixels the 24-bit route would give (every fourth byte 0),
// without its two conversions and their new pixel blocks.
#pragma once

#include "core/bitmap.h"
#include "core/color.h"

namespace skelda {

// The 24-bit working form: a 32-bit picture drops its fourth byte, any other format keeps its
// colours (palette entries are expanded). Back to 32 bits the fourth byte is 0; a 32-bit
// bitmap is left as it is.
void ConvertTo24(Bitmap& bitmap);
void ConvertTo32(Bitmap& bitmap);

// Converts the bitmap to 24 bits, then horizontal: pixel x of every row moves to W-1-x;
// otherwise row y moves to H-1-y. An odd middle column (row) stays where it is.
void MirrorBitmap(Bitmap& bitmap, bool horizontal);

enum class TurnDirection { Clockwise, CounterClockwise };

// The exact quarter turn, the hot path of both rotate commands. A W x H 24-bit source becomes
// a new H x W 24-bit picture. Clockwise: target (x, y) = source (y, H-1-x); counter-clockwise:
// target (x, y) = source (W-1-y, x).
Bitmap QuarterTurn(const Bitmap& source, TurnDirection direction);

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

// The direct routines. Source and target must be different bitmaps of the same size (H x W
// for the quarter turn).
void QuarterTurnInto(const Bitmap& source, Bitmap& target, TurnDirection direction);
void MirrorInto(const Bitmap& source, Bitmap& target, bool horizontal);
void HalfTurnInto(const Bitmap& source, Bitmap& target);

}  // namespace skelda
