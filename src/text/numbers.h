// Reading numbers from the front of a text.
//
// `ReadInteger` is the one integer reading of the program, used for the
// digits line of the settings file, the atomic number of the element
// command and the digits argument of the formula command. `ReadDecimal`
// reads a decimal number the same way, for temperatures and atomic weights.
// Neither ever fails: a text that does not begin with a number reads as 0.
#ifndef KORVATEX_TEXT_NUMBERS_H_
#define KORVATEX_TEXT_NUMBERS_H_

#include <string_view>

// True for the decimal digits 0 to 9 (of any locale, only these).
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when `text` begins with a decimal digit.
inline bool BeginsWithDigit(std::string_view text) { return !text.empty() && IsDigit(text[0]); }

// Leading white space (space, tab, LF, VT, FF, CR), one optional sign, then
// decimal digits up to the first non-digit. A value beyond the range of int
// saturates at INT_MIN or INT_MAX instead of overflowing.
int ReadInteger(std::string_view text);

// Leading white space, an optional sign, digits with an optional point and
// fraction, an optional exponent; decimal only (no hex, "inf" or "nan").
double ReadDecimal(std::string_view text);

// Length of the white space at the start of `text`.
size_t SkipWhiteSpace(std::string_view text);

#endif  // KORVATEX_TEXT_NUMBERS_H_
