#include "intake/dot_size.h"

#include "core/numbers.h"

namespace skelda {

namespace {

constexpr long double kMmPerInch = 25.4L;

}  // namespace

std::string ResolutionForDot(const std::string& dotText, const std::string& dpiText) {
  const double dot = StrToDouble(dotText);
  StrToFloat(dpiText);  // only a check: a resolution that is not a number stops the command
  return FloatToStr(Divide(kMmPerInch, dot));
}

std::string DotForResolution(const std::string& dotText, const std::string& dpiText) {
  StrToFloat(dotText);  // only a check, as above
  const double dpi = StrToDouble(dpiText);
  return FloatToStr(Divide(kMmPerInch, dpi));
}

}  // namespace skelda
