// Numbers as the side panel's fields hold them: "." as the decimal separator whatever the
// locale, general format with at most 15 significant digits, counts as plain integers.
#pragma once

#include <string>
#include <string_view>

namespace skelda {

// Decimal text: spaces around it, an optional sign, digits with at most one ".", an optional
// exponent ("1e5", "2.5E-3"). Anything else, the empty text included, throws ConvertError
// "'%s' is not a valid floating point value" with the text as given. The value is read in
// extended precision.
long double StrToFloat(std::string_view text);
// The same, held as a double, as the Parts do with the dot size.
inline double StrToDouble(std::string_view text) { return static_cast<double>(StrToFloat(text)); }
bool TryStrToFloat(std::string_view text, long double& value);

// Decimal integer text (spaces around, optional sign) in the signed 32-bit range; otherwise
// ConvertError "'%s' is not a valid integer value".
int StrToInt(std::string_view text);

// General format: rounded to 15 significant digits, no trailing zeros, no point for a whole
// value, "0" for zero, fixed notation from 0.00001 up to below 10^15, otherwise the exponent
// form written like 1E-6 and 1.5E15.
std::string FloatToStr(long double value);
std::string IntToStr(long long value);

// Quotient in extended precision; a zero divisor raises ZeroDivideError ("Floating point
// division by zero"), or InvalidOpError ("Invalid floating point operation") for 0 / 0; a
// NaN operand or result raises InvalidOpError; an infinite result ZeroDivideError is not
// possible, overflow raises InvalidOpError.
long double Divide(long double dividend, long double divisor);

// Nearest integer, an exact half to the even neighbour. NaN, infinities and values outside the
// 64-bit range raise InvalidOpError.
long long RoundHalfEven(long double value);

}  // namespace skelda
