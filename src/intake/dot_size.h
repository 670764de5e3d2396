// Enter in the dot-size field or the resolution field: the one converted into the other at
// 25.4 mm to the inch. Neither resamples the picture or touches the size fields.
#pragma once

#include <string>

namespace skelda {

// Enter in the dot-size field: the new resolution text, 25.4 / dot. Both fields are checked
// first, the dot size before the resolution; a dot size of 0 is "Floating point division by zero".
std::string ResolutionForDot(const std::string& dotText, const std::string& dpiText);
// Enter in the resolution field: the new dot-size text, 25.4 / dpi, with the same checks.
std::string DotForResolution(const std::string& dotText, const std::string& dpiText);

}  // namespace skelda
