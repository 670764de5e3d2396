#include "intake/size_fields.h"

#include "core/numbers.h"

namespace skelda {

SizeFields SizeFieldsFor(long long widthDots, long long heightDots, double dot) {
  const long double d = dot;
  return {FloatToStr(static_cast<long double>(widthDots) * d),
          FloatToStr(static_cast<long double>(heightDots) * d), IntToStr(widthDots),
          IntToStr(heightDots)};
}

}  // namespace skelda
