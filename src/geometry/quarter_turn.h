// The exact quarter turn, the hot path of both rotate commands.
#pragma once

#include "core/bitmap.h"

namespace skelda {

enum class TurnDirection { Clockwise, CounterClockwise };

// A W x H 24-bit source becomes a new H x W 24-bit picture. Clockwise: target (x, y) =
// source (y, H-1-x); counter-clockwise: target (x, y) = source (W-1-y, x).
Bitmap QuarterTurn(const Bitmap& source, TurnDirection direction);

// The same from a W x H 32-bit source into a 32-bit target already sized H x W; every target
// pixel gets a fourth byte of 0, as a turn at 24 bits and back would leave it.
void QuarterTurnInto(const Bitmap& source, Bitmap& target, TurnDirection direction);

}  // namespace skelda
