#include "intake/size_fields.h"

#include "core/numbers.h"

namespace skelda {

SizeFields SizeFieldsFor(long long widthDots, long long heightDots, double dot,
                         double lineInterval) {
  const long double d = dot;
  const long double row = lineInterval > 0 ? lineInterval : dot;
  return {FloatToStr(static_cast<long double>(widthDots) * d),
          FloatToStr(static_cast<long double>(heightDots) * row), IntToStr(widthDots),
          IntToStr(heightDots)};
}

}  // namespace skelda
