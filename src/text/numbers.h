// Reading numbers from the front of a text, rounding them and writing them.
//
// `ReadInteger` is the one integer reading of the program, used for the
// digits line of the settings file, the atomic number of the element
// command and the digits argument of the formula command. `ReadDecimal`
// reads a decimal number the same way, for temperatures and atomic weights.
// Neither ever fails: a text that does not begin with a number reads as 0.
//
// `RoundDecimal` is the program's one rounding, shared by the element report
// and the formula weights. It rounds halves upward (towards positive
// infinity), deciding on the double that x * 10^n gives: 2.675 rounds to
// 2.68 at two places and 1.005 to 1.00.
#ifndef KORVATEX_TEXT_NUMBERS_H_
#define KORVATEX_TEXT_NUMBERS_H_

#include <string>
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

// x rounded to n >= 0 decimal places, in extended precision.
long double RoundDecimal(double x, int n);

// `value` in fixed-point notation with `decimals` places, as printf's
// "%.*f" writes it.
std::string FormatFixed(double value, int decimals);

// Writes the full-width digit for `value` (0 to 9), two CP932 bytes, into
// `buffer`; any other value leaves the buffer as it was. Returns the buffer.
std::string& FullWidthDigit(std::string& buffer, unsigned value);

#endif  // KORVATEX_TEXT_NUMBERS_H_
