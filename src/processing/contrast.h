#pragma once

#include "core/bitmap.h"

namespace skelda {

// The contrast factor of amount a, as a double: 1 + a / 10 above 0, 1 - sqrt(-a) / 10 below,
// both formed in extended precision and then rounded once.
double ContrastFactor(int amount);

// Stretches every channel of a 24-bit bitmap about its mean over all pixels (the truncated
// quotient of its sum): v becomes ClampByte(m + trunc((v - m) f)), the product formed in
// extended precision. a = 0 changes nothing. A 32-bit bitmap gets the same colours and a fourth
// byte of 0, as a round trip through 24 bits would give it. Other formats are left alone.
void AdjustContrast(Bitmap& bitmap, int amount);

// The 32-bit result of the above for a 32-bit source, written into a target of the same shape
// (which may be the source itself).
void AdjustContrast(const Bitmap& source, Bitmap& target, int amount);

}  // namespace skelda
