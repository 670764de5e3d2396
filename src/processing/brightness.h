#pragma once

#include "core/bitmap.h"

namespace skelda {

// Adds a to each of the 3 W colour bytes of every row of a 24-bit bitmap, with ClampByte; the
// filler bytes are not touched, and a = 0 changes nothing. A 32-bit bitmap gets the same
// colours and a fourth byte of 0, as a round trip through 24 bits would give it. Other formats
// are left alone.
void AdjustBrightness(Bitmap& bitmap, int amount);

// The 32-bit result of the above for a 32-bit source, written into a target of the same shape
// (which may be the source itself).
void AdjustBrightness(const Bitmap& source, Bitmap& target, int amount);

}  // namespace skelda
