// Numbers as a GRBL program writes them: millimetres held as whole thousandths (GRBL's own
// report precision), printed without exponent and without trailing zeros. GRBL reads at most
// eight digits of a number, so a coordinate stays below 100000 mm.
#pragma once

#include <string>

namespace skelda {

inline constexpr long long kGrblLimitThousandths = 100000000;  // 100000 mm

// mm × 1000 rounded half to even.
long long ToThousandths(long double mm);

// "12.5", "-0.003", "0"; writes into `out` (at least 24 bytes) and returns the length.
int FormatThousandths(long long thousandths, char* out);
std::string ThousandthsText(long long thousandths);

}  // namespace skelda
