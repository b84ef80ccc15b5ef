#include "text/numbers.h"

#include <climits>
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

size_t SkipSign(std::string_view text, size_t pos) {
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  return pos;
}

}  // namespace

size_t SkipWhiteSpace(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsWhiteSpace(text[pos])) ++pos;
  return pos;
}

int ReadInteger(std::string_view text) {
  size_t pos = SkipWhiteSpace(text);
  const bool negative = pos < text.size() && text[pos] == '-';
  pos = SkipSign(text, pos);
  long long value = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    value = value * 10 + (text[pos] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;  // saturated
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
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
