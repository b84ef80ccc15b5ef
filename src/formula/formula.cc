#include "formula/formula.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "files/record.h"
#include "text/cp932.h"
#include "text/numbers.h"
#include "text/texts.h"

namespace {

constexpr char kMiddleDot = texts::kHalfWidthMiddleDot[0];  // folded from the full-width dot

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

char CharAtOrNul(std::string_view text, size_t pos) { return pos < text.size() ? text[pos] : '\0'; }

// Stores a weight formed in double as the float it is kept in. A value
// beyond the float range (a huge count) is refused rather than kept as inf.
bool StoreFloat(double value, float* stored) {
  if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) return false;
  *stored = static_cast<float>(value);
  return true;
}

// The run of digits at `*pos`, converted as a double; moves `*pos` past it.
double TakeCount(std::string_view text, size_t* pos) {
  const size_t start = *pos;
  while (*pos < text.size() && IsDigit(text[*pos])) ++*pos;
  const std::string digits(text.substr(start, *pos - start));
  return std::strtod(digits.c_str(), nullptr);
}

// Where a level is cut: its first ".", else its first "*", else its first
// middle dot, wherever it stands.
size_t FindPartSeparator(std::string_view text) {
  for (char separator : {'.', '*', kMiddleDot}) {
    const size_t found = cp932::Find(text, separator);
    if (found != cp932::npos) return found;
  }
  return cp932::npos;
}

}  // namespace

size_t FindClosingBracket(std::string_view text, char open) {
  const char close = open == '(' ? ')' : ']';
  int opened = 1;
  int closed = 0;
  for (const cp932::Char c : cp932::Chars(text)) {
    if (c.bytes.size() == 1) {
      if (c.bytes[0] == open) ++opened;
      if (c.bytes[0] == close) ++closed;
    }
    if (opened == closed) return c.pos;
  }
  return cp932::npos;
}

float FormulaEvaluator::Round(double value) const {
  float rounded = 0;
  if (!StoreFloat(static_cast<double>(RoundDecimal(value, decimal_digits_)), &rounded)) return 0;
  return rounded;
}

float FormulaEvaluator::ElementWeight(int slot) {
  std::optional<std::string>& field = weight_fields_[slot];
  if (!field) {
    ElementRecord record;
    SplitRecord(lines_[slot], &record);
    field =
        static_cast<int>(record.size()) > kWeightColumn ? record.at(kWeightColumn) : std::string();
  }
  std::string_view weight = *field;

  if (!weight.empty() && weight[0] == '[') {
    flags_->BracketFlag = true;
    weight.remove_prefix(1);
  }
  if (!weight.empty() && weight[0] == '(') {
    flags_->ParenFlag = true;
    weight.remove_prefix(1);
  }
  float value = 0;
  if (!StoreFloat(ReadDecimal(weight), &value)) value = 0;
  if (!(value > 0)) missing_weight_slot_ = slot;

  // A number followed by "(uncertainty)" is certain to one place fewer.
  const size_t uncertainty = cp932::Find(weight, '(');
  if (uncertainty != cp932::npos) weight = weight.substr(0, uncertainty);
  const size_t point = cp932::Find(weight, '.');
  if (point == cp932::npos) {
    if (decimal_digits_ > 0) flags_->UncertainFlag = true;
  } else {
    long long reliable = static_cast<long long>(cp932::CountChars(weight.substr(point + 1)));
    if (uncertainty != cp932::npos) --reliable;
    if (reliable < decimal_digits_) flags_->UncertainFlag = true;
  }
  return value;
}

float FormulaEvaluator::EvaluateFormula(std::string_view text, bool top_level, int depth) {
  if (depth > kMaxFormulaDepth) return 0;
  std::string_view work = cp932::UpToNul(text);

  const char first = CharAtOrNul(work, 0);
  const bool starts_well = first == '(' || first == '[' || IsUpper(first) ||
                           (!top_level && first >= '1' && first <= '9');
  if (!starts_well) return 0;

  std::string_view rest;
  const size_t separator = FindPartSeparator(work);
  if (separator != cp932::npos) {
    if (separator + 1 == work.size()) return 0;
    rest = work.substr(separator + 1);
    work = work.substr(0, separator);
  }

  size_t pos = 0;
  float multiplier = 1;
  if (IsDigit(first)) {
    if (!StoreFloat(TakeCount(work, &pos), &multiplier)) return 0;
  }

  float sum = 0;
  do {
    float term = 0;
    const char c = CharAtOrNul(work, pos);
    if (c == '(' || c == '[') {
      const std::string_view inner = work.substr(pos + 1);
      const size_t close = FindClosingBracket(inner, c);
      if (close == cp932::npos) return 0;
      term = EvaluateFormula(inner.substr(0, close), false, depth + 1);
      if (term == 0) return 0;
      pos += 1 + close + 1;
    } else if (IsUpper(c)) {
      const size_t length = IsLower(CharAtOrNul(work, pos + 1)) ? 2 : 1;
      const int slot = FindSymbol(work.substr(pos, length));
      if (slot < 0) return 0;
      term = Round(ElementWeight(slot));
      if (term == 0) return 0;
      pos += length;
    } else {
      return 0;
    }

    const char next = CharAtOrNul(work, pos);
    if (IsDigit(next)) {
      const double count = TakeCount(work, &pos);
      if (!StoreFloat(count * term + sum, &sum)) return 0;
    } else {
      if (!(IsUpper(next) || next == '(' || next == '[' || next == '\0')) return 0;
      if (!StoreFloat(static_cast<double>(term) + sum, &sum)) return 0;
    }
  } while (pos < work.size());

  if (!rest.empty()) {
    const float part = EvaluateFormula(rest, false, depth + 1);
    // A part that weighs nothing (or less) makes the formula invalid.
    if (!(part > 0.0F)) return 0;
    if (!StoreFloat(static_cast<double>(multiplier) * sum + part, &sum)) return 0;
  } else {
    if (!StoreFloat(static_cast<double>(sum) * multiplier, &sum)) return 0;
  }
  return Round(sum);
}
