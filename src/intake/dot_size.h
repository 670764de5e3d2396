// Enter in the dot-size field or the resolution field: the one converted into the other at
// 25.4 mm to the inch. Neither resamples the picture or touches the size fields.
#pragma once

#include <string>

namespace skelda {

// Enter in edt1: the new edt4 text, 25.4 / dot. Both fields are checked first, edt1 before
// edt4; a dot size of 0 is "Floating point division by zero".
std::string ResolutionForDot(const std::string& dotText, const std::string& dpiText);
// Enter in edt4: the new edt1 text, 25.4 / dpi, with the same checks.
std::string DotForResolution(const std::string& dotText, const std::string& dpiText);

}  // namespace skelda
