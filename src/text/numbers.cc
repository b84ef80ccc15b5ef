#include "text/numbers.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

size_t SkipDigits(std::string_view text, size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

// Length of the white space at the start of `text`.
size_t SkipWhiteSpace(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsWhiteSpace(text[pos])) ++pos;
  return pos;
}

size_t SkipSign(std::string_view text, size_t pos) {
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  return pos;
}

long double PowerOfTen(int n) {
  long double p = 1;  // exact as long as it fits the significand
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

}  // namespace

int ReadInteger(std::string_view text) {
  size_t pos = SkipWhiteSpace(text);
  const bool negative = pos < text.size() && text[pos] == '-';
  pos = SkipSign(text, pos);
  // Past the int range the value stays at the cap, which neither sign's
  // limit is beyond; the sum then never overflows, however many digits.
  constexpr long long kCap = static_cast<long long>(INT_MAX) + 1;
  long long value = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    value = std::min(value * 10 + (text[pos] - '0'), kCap);
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double ReadDecimal(std::string_view text) {
  // Measure the decimal number at the front, then let strtod convert exactly
  // that much; strtod alone would also take hex numbers, "inf" and "nan".
  size_t pos = SkipSign(text, SkipWhiteSpace(text));
  const size_t integer_end = SkipDigits(text, pos);
  bool has_digits = integer_end > pos;
  pos = integer_end;
  if (pos < text.size() && text[pos] == '.') {
    const size_t fraction_end = SkipDigits(text, pos + 1);
    if (has_digits || fraction_end > pos + 1) {
      has_digits = true;
      pos = fraction_end;
    }
  }
  if (!has_digits) return 0.0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    const size_t exponent_start = SkipSign(text, pos + 1);
    const size_t exponent_end = SkipDigits(text, exponent_start);
    if (exponent_end > exponent_start) pos = exponent_end;
  }
  const std::string number(text.substr(0, pos));
  return std::strtod(number.c_str(), nullptr);
}

long double RoundDecimal(double x, int n) {
  const long double p = PowerOfTen(n);
  const long double scaled = x * p;
  // Beyond the double range x has no digits left to round at n places (only
  // a text with hundreds of decimals asks for that): it stays as it is.
  if (!(std::fabs(scaled) <= DBL_MAX)) return x;
  const double y = static_cast<double>(scaled);
  const double f = std::floor(y);
  const double r = (y - f >= 0.5) ? std::ceil(y) : f;
  return r / p;
}

std::string FormatFixed(double value, int decimals) {
  const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
  text.resize(static_cast<size_t>(length));
  return text;
}

std::string& FullWidthDigit(std::string& buffer, unsigned value) {
  if (value <= 9) {
    buffer = "\x82";
    buffer += static_cast<char>(0x4F + value);
  }
  return buffer;
}
