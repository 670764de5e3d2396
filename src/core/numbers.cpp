#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "core/errors.h"
#include "core/round_to_even.h"

namespace skelda {

namespace {

// The parts of a decimal number text, checked for its shape but not yet converted.
struct DecimalText {
  bool negative = false;
  std::string_view integer;   // digits before the point, possibly empty
  std::string_view fraction;  // digits after the point, possibly empty
  long long exponent = 0;     // saturated far beyond any representable value
};

std::string_view TrimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TakeDigits(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return text.substr(start, pos - start);
}

bool TakeSign(std::string_view text, std::size_t& pos) {
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) return text[pos++] == '-';
  return false;
}

std::optional<DecimalText> SplitDecimal(std::string_view text) {
  DecimalText parts;
  std::size_t pos = 0;
  parts.negative = TakeSign(text, pos);
  parts.integer = TakeDigits(text, pos);
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    parts.fraction = TakeDigits(text, pos);
  }
  if (parts.integer.empty() && parts.fraction.empty()) return std::nullopt;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    const bool negativeExponent = TakeSign(text, pos);
    const std::string_view digits = TakeDigits(text, pos);
    if (digits.empty()) return std::nullopt;
    for (char c : digits) parts.exponent = std::min(parts.exponent * 10 + (c - '0'), 1LL << 40);
    if (negativeExponent) parts.exponent = -parts.exponent;
  }
  if (pos != text.size()) return std::nullopt;
  return parts;
}

// Decimal exponent of the leading non-zero digit, or nullopt when every digit is zero.
std::optional<long long> LeadingExponent(const DecimalText& parts) {
  const auto lead = parts.integer.find_first_not_of('0');
  if (lead != std::string_view::npos) {
    return parts.exponent + static_cast<long long>(parts.integer.size() - lead) - 1;
  }
  const auto fracLead = parts.fraction.find_first_not_of('0');
  if (fracLead == std::string_view::npos) return std::nullopt;
  return parts.exponent - static_cast<long long>(fracLead) - 1;
}

// The value of a well-formed text, or nullopt when it is too large to hold. The text is
// rebuilt in the one shape std::from_chars reads the same on every library.
std::optional<long double> ConvertDecimal(const DecimalText& parts) {
  const long double zero = parts.negative ? -0.0L : 0.0L;
  const auto lead = LeadingExponent(parts);
  if (!lead) return zero;
  if (*lead < -100000) return zero;
  if (*lead > 100000) return std::nullopt;
  std::string canonical;
  canonical.reserve(parts.integer.size() + parts.fraction.size() + 16);
  if (parts.negative) canonical += '-';
  canonical += parts.integer.empty() ? std::string_view("0") : parts.integer;
  canonical += '.';
  canonical += parts.fraction.empty() ? std::string_view("0") : parts.fraction;
  canonical += 'e';
  canonical += std::to_string(parts.exponent);
  long double value = 0;
  const char* end = canonical.data() + canonical.size();
  const auto [ptr, ec] = std::from_chars(canonical.data(), end, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    if (*lead < 0) return zero;  // below the smallest normal extended value
    return std::nullopt;
  }
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<long double> ParseFloat(std::string_view text) {
  const auto parts = SplitDecimal(TrimSpaces(text));
  if (!parts) return std::nullopt;
  return ConvertDecimal(*parts);
}

ConvertError FloatError(std::string_view text) {
  return ConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

ConvertError IntegerError(std::string_view text) {
  return ConvertError("'" + std::string(text) + "' is not a valid integer value");
}

// The value rounded to 15 significant digits: the digits without trailing zeros and the
// decimal exponent of the first digit.
struct RoundedDigits {
  std::string digits;
  int exponent = 0;
};

RoundedDigits RoundTo15Digits(long double magnitude) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
  const std::string_view text(buffer, result.ptr - buffer);  // d.ddddddddddddddde±x
  const auto e = text.find('e');
  RoundedDigits rounded;
  rounded.digits.assign(text.substr(0, 1)).append(text.substr(2, e - 2));
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                  rounded.exponent);
  rounded.digits.erase(rounded.digits.find_last_not_of('0') + 1);
  return rounded;
}

std::string FixedText(const RoundedDigits& r) {
  const int count = static_cast<int>(r.digits.size());
  if (r.exponent < 0) return "0." + std::string(-r.exponent - 1, '0') + r.digits;
  if (count <= r.exponent + 1) return r.digits + std::string(r.exponent + 1 - count, '0');
  return r.digits.substr(0, r.exponent + 1) + "." + r.digits.substr(r.exponent + 1);
}

std::string ExponentText(const RoundedDigits& r) {
  std::string text = r.digits.substr(0, 1);
  if (r.digits.size() > 1) text.append(".").append(r.digits, 1);
  return text + "E" + std::to_string(r.exponent);
}

}  // namespace

bool TryStrToFloat(std::string_view text, long double& value) {
  const auto parsed = ParseFloat(text);
  if (!parsed) return false;
  value = *parsed;
  return true;
}

long double StrToFloat(std::string_view text) {
  const auto parsed = ParseFloat(text);
  if (!parsed) throw FloatError(text);
  return *parsed;
}

double StrToDouble(std::string_view text) {
  const long double value = StrToFloat(text);
  if (std::fabs(value) > std::numeric_limits<double>::max()) throw FloatError(text);
  return static_cast<double>(value);
}

int StrToInt(std::string_view text) {
  const std::string_view trimmed = TrimSpaces(text);
  std::size_t pos = 0;
  const bool negative = TakeSign(trimmed, pos);
  const std::string_view digits = TakeDigits(trimmed, pos);
  if (digits.empty() || pos != trimmed.size()) throw IntegerError(text);
  long long value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
    if (value > 1LL << 31) throw IntegerError(text);
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    throw IntegerError(text);
  }
  return static_cast<int>(value);
}

std::string FloatToStr(long double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  const RoundedDigits rounded = RoundTo15Digits(std::fabs(value));
  const bool fixed = rounded.exponent >= -5 && rounded.exponent < 15;
  const std::string text = fixed ? FixedText(rounded) : ExponentText(rounded);
  return value < 0 ? "-" + text : text;
}

std::string IntToStr(long long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

long double Divide(long double dividend, long double divisor) {
  if (std::isnan(dividend) || std::isnan(divisor)) throw InvalidOpError();
  if (std::isinf(dividend) || std::isinf(divisor)) throw InvalidOpError();
  if (divisor == 0) {
    if (dividend == 0) throw InvalidOpError();
    throw ZeroDivideError();
  }
  const long double quotient = dividend / divisor;
  if (!std::isfinite(quotient)) throw InvalidOpError();
  return quotient;
}

long long RoundHalfEven(long double value) {
  if (!std::isfinite(value)) throw InvalidOpError();
  const long double rounded = RoundToEven(value);
  constexpr long double kLimit = 9223372036854775808.0L;  // 2^63
  if (rounded < -kLimit || rounded >= kLimit) throw InvalidOpError();
  return static_cast<long long>(rounded);
}

}  // namespace skelda
