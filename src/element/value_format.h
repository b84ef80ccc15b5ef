// Derived values of the element report, rounded with `RoundDecimal`
// (text/numbers.h): temperatures in three scales, decimal counting, list
// re-punctuation, and the shell occupation worked out from an electron
// configuration such as [Ar]3d10､4s2.
#ifndef KORVATEX_ELEMENT_VALUE_FORMAT_H_
#define KORVATEX_ELEMENT_VALUE_FORMAT_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Celsius to kelvin and to degrees Fahrenheit, input, offset and result
// all brought to n decimal places.
long double CelsiusToKelvin(double x, int n);
long double CelsiusToFahrenheit(double x, int n);

// Number of characters after the first "." (0 when there is none).
int CountDecimals(std::string_view text);

// Position of the first character of `text` that is not one of the
// characters of `set`, or npos when there is none.
size_t FirstNotInSet(std::string_view text, std::string_view set);

// Splits `source` at every character in `separators` (empty pieces dropped)
// and joins the pieces again, each followed by `joiner`. Separators in front
// of the first piece stay in front of it.
std::string Repunctuate(std::string_view source, const std::vector<std::string_view>& separators,
                        std::string_view joiner);

// The terms of an electron configuration, whatever comma (、 or ､) stood
// between them, each followed by ".".
std::string TermsWithPoints(std::string_view configuration);

// Removes the `joiner` after a noble-gas core such as "[Ar]", so that the
// core runs straight into the first term.
void JoinCore(std::string* terms, std::string_view joiner);

// Electron counts of the shells K, L, M, N, O, P and Q.
using ShellCounts = std::array<int, 7>;

// Works out the shell occupation of `configuration`. Re-punctuates the
// configuration in place first (its terms each followed by "."). Returns
// false, leaving `counts` alone, when it begins with "-".
bool ParseShells(ShellCounts* counts, std::string* configuration);

// The shell occupation as text, such as K:2､L:8､M:18､N:2､; none when the
// configuration begins with "-".
std::optional<std::string> ShellText(std::string* configuration);

#endif  // KORVATEX_ELEMENT_VALUE_FORMAT_H_
