#include "element/value_format.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "text/cp932.h"
#include "text/fold.h"
#include "text/numbers.h"
#include "text/texts.h"

namespace {

constexpr double kKelvinOffset = 273.15;
constexpr double kOneFifth = 0.2;

// A noble-gas core and the shells it fills.
struct Core {
  const char* text;
  std::array<int, 6> shells;  // K to P; 0 is "not set by this core"
};
constexpr Core kCores[] = {
    {"[He]", {2, 0, 0, 0, 0, 0}},  {"[Ne]", {2, 8, 0, 0, 0, 0}},   {"[Ar]", {2, 8, 8, 0, 0, 0}},
    {"[Kr]", {2, 8, 18, 8, 0, 0}}, {"[Xe]", {2, 8, 18, 18, 8, 0}}, {"[Rn]", {2, 8, 18, 32, 18, 8}},
};

// Cores are applied in the order of kCores, each filling every shell the
// ones before it fill, and more: the largest named decides.
void ApplyCore(const Core& core, ShellCounts* counts) {
  std::copy(core.shells.begin(), core.shells.end(), counts->begin());
}

// Adds one term such as 3d10 (10 electrons in shell 3) to the counts. A
// shell number outside 1 to 7 adds nothing.
void AddTerm(std::string_view term, ShellCounts* counts) {
  size_t digits = term.size();
  while (digits > 0 && IsDigit(term[digits - 1])) --digits;
  const int electrons = ReadInteger(term.substr(digits));
  const int shell = ReadInteger(term);
  if (shell < 1 || shell > 7) return;
  // Counts come from outside data; they saturate rather than overflow.
  const long long sum = static_cast<long long>(counts->at(shell - 1)) + electrons;
  counts->at(shell - 1) = sum > INT_MAX ? INT_MAX : static_cast<int>(sum);
}

}  // namespace

long double CelsiusToKelvin(double x, int n) {
  const double a = static_cast<double>(RoundDecimal(x, n));
  const long double b = RoundDecimal(kKelvinOffset, n);
  const double s = static_cast<double>(b + a);
  return RoundDecimal(s, n);
}

long double CelsiusToFahrenheit(double x, int n) {
  const long double a = RoundDecimal(x, n);
  const long double nine_a = a * 9;
  const double t = static_cast<double>(nine_a * static_cast<long double>(kOneFifth) + 32);
  return RoundDecimal(t, n);
}

int CountDecimals(std::string_view text) {
  const size_t point = cp932::Find(text, '.');
  if (point == cp932::npos) return 0;
  return static_cast<int>(cp932::CountChars(text.substr(point + 1)));
}

size_t FirstNotInSet(std::string_view text, std::string_view set) {
  for (const cp932::Char c : cp932::Chars(text)) {
    if (cp932::FindText(set, c.bytes) == cp932::npos) return c.pos;
  }
  return cp932::npos;
}

std::string Repunctuate(std::string_view source, const std::vector<std::string_view>& separators,
                        std::string_view joiner) {
  auto is_separator = [&](std::string_view ch) {
    for (std::string_view separator : separators) {
      if (ch == separator) return true;
    }
    return false;
  };
  std::string result;
  bool first_piece_done = false;
  size_t piece_start = 0;
  auto end_piece = [&](size_t end) {
    if (end == piece_start) return;  // empty piece
    // The first piece keeps whatever stands before it.
    result += source.substr(first_piece_done ? piece_start : 0,
                            end - (first_piece_done ? piece_start : 0));
    result += joiner;
    first_piece_done = true;
  };
  for (const cp932::Char c : cp932::Chars(source)) {
    if (is_separator(c.bytes)) {
      end_piece(c.pos);
      piece_start = c.pos + c.bytes.size();
    }
  }
  end_piece(source.size());
  if (!first_piece_done) return std::string(source) + std::string(joiner);
  return result;
}

std::string TermsWithPoints(std::string_view configuration) {
  return Repunctuate(configuration, {texts::kHalfWidthComma, texts::kIdeographicComma}, ".");
}

void JoinCore(std::string* terms, std::string_view joiner) {
  const size_t core_end = cp932::FindText(*terms, "]" + std::string(joiner));
  if (core_end != cp932::npos) terms->erase(core_end + 1, joiner.size());
}

bool ParseShells(ShellCounts* counts, std::string* configuration) {
  if (!configuration->empty() && (*configuration)[0] == '-') return false;
  *configuration = TermsWithPoints(*configuration);
  JoinCore(configuration, ".");

  std::string folded = FoldFullWidth(*configuration);
  counts->fill(0);
  for (const Core& core : kCores) {
    if (cp932::FindText(folded, core.text) != cp932::npos) ApplyCore(core, counts);
  }
  const size_t bracket = cp932::Find(folded, ']');
  if (bracket != cp932::npos) folded.erase(0, bracket + 1);

  std::string_view rest = folded;
  for (size_t point; (point = cp932::Find(rest, '.')) != cp932::npos;
       rest.remove_prefix(point + 1)) {
    AddTerm(rest.substr(0, point), counts);
  }
  return true;
}

std::optional<std::string> ShellText(std::string* configuration) {
  ShellCounts counts;
  if (!ParseShells(&counts, configuration)) return std::nullopt;
  std::string text = "K:" + std::to_string(counts[0]) + texts::kHalfWidthComma;
  for (size_t shell = 1; shell < counts.size(); ++shell) {
    if (counts[shell] == 0) continue;
    text += static_cast<char>('K' + shell);
    text += ":" + std::to_string(counts[shell]) + texts::kHalfWidthComma;
  }
  return text;
}
