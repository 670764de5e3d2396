#include "gcode/grbl_number.h"

#include <charconv>

#include "core/numbers.h"

namespace skelda {

long long ToThousandths(long double mm) {
  return RoundHalfEven(mm * 1000.0L);
}

int FormatThousandths(long long thousandths, char* out) {
  char* p = out;
  unsigned long long magnitude = static_cast<unsigned long long>(thousandths);
  if (thousandths < 0) {
    *p++ = '-';
    magnitude = 0 - magnitude;
  }
  p = std::to_chars(p, p + 21, magnitude / 1000).ptr;
  unsigned fraction = static_cast<unsigned>(magnitude % 1000);
  if (fraction != 0) {
    *p++ = '.';
    *p++ = static_cast<char>('0' + fraction / 100);
    fraction %= 100;
    if (fraction != 0) {
      *p++ = static_cast<char>('0' + fraction / 10);
      if (fraction % 10 != 0) *p++ = static_cast<char>('0' + fraction % 10);
    }
  }
  return static_cast<int>(p - out);
}

std::string ThousandthsText(long long thousandths) {
  char text[24];
  return std::string(text, static_cast<std::size_t>(FormatThousandths(thousandths, text)));
}

}  // namespace skelda
