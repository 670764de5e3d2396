// Numbers as the side panel's fields hold them: "." as the decimal separator whatever the
// locale, general format with at most 15 significant digits, counts as plain integers.
#pragma once

#include <string>
#include <string_view>

namespace skelda {

// Decimal text: spaces (not tabs) around it, an optional sign, digits with at most one "."
// (".5" and "5." are numbers), an optional exponent ("1e5", "2.5E-3", "1e+2"). Anything else,
// the empty text, "inf", "nan", hexadecimal and a value too large for extended precision
// included, throws ConvertError "'%s' is not a valid floating point value" with the text as
// given. A value below the smallest normal extended value reads as 0. The value is read in extended
// precision.
long double StrToFloat(std::string_view text);
// The same, held as a double, as the field values are: read in extended precision and then
// rounded to a double. A value beyond the double range is the conversion error.
double StrToDouble(std::string_view text);
// StrToFloat without the exception: false (and value untouched) where StrToFloat would throw.
bool TryStrToFloat(std::string_view text, long double& value);

// Decimal integer text (spaces around, optional sign, digits only) in the signed 32-bit range;
// otherwise ConvertError "'%s' is not a valid integer value" with the text as given.
int StrToInt(std::string_view text);

// General format: rounded to 15 significant digits, no trailing zeros, no point for a whole
// value, "0" for zero (negative zero included), fixed notation from 0.00001 up to below 10^15
// (judged after the rounding), otherwise the exponent form written like 1E-6, 1.5E15, -2.5E-7.
// NaN and infinities, which Divide never hands out, are written "NAN", "INF", "-INF".
std::string FloatToStr(long double value);
std::string IntToStr(long long value);

// Quotient in extended precision. A zero divisor raises ZeroDivideError ("Floating point
// division by zero"), or InvalidOpError ("Invalid floating point operation") for 0 / 0; a NaN
// or infinite operand, or a result beyond the extended range, raises InvalidOpError.
long double Divide(long double dividend, long double divisor);

// Nearest integer, an exact half to the even neighbour (RoundToEven).
// NaN, infinities and values whose rounded value lies outside the 64-bit range raise
// InvalidOpError.
long long RoundHalfEven(long double value);

}  // namespace skelda
