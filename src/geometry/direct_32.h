// Mirror and half turn of a 32-bit picture written straight into a second 32-bit bitmap of
// the same size. The target gets exactly the pixels that a conversion to 24 bits, the routine
// and the conversion back would give (every fourth byte 0), without the two conversions and
// their new pixel blocks. Source and target must be different bitmaps.
#pragma once

#include "core/bitmap.h"

namespace skelda {

void MirrorInto(const Bitmap& source, Bitmap& target, bool horizontal);
void HalfTurnInto(const Bitmap& source, Bitmap& target);

}  // namespace skelda
