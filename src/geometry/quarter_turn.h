// The exact quarter turn of a 24-bit picture, the hot path of both rotate commands.
#pragma once

#include "core/bitmap.h"

namespace skelda {

enum class TurnDirection { Clockwise, CounterClockwise };

// A W x H 24-bit source becomes an H x W 24-bit picture. Clockwise: target (x, y) =
// source (y, H-1-x); counter-clockwise: target (x, y) = source (W-1-y, x).
Bitmap QuarterTurn(const Bitmap& source, TurnDirection direction);

}  // namespace skelda
