// Formula weights from the data file's atomic weights.
//
// A formula such as CuSO4.5H2O or K4[Fe(CN)6] is read from the outside in:
// a level is cut at its first separator of the earliest kind (".", then
// "*", then the half-width middle dot 0xA5), the text before it is parsed
// as terms (element symbols and bracket groups, each with an optional
// count) and the text after it is weighed as a further part, which may
// start with a leading count. Every weight is held as a 32-bit float and
// rounded to the requested decimal places after every element, group and
// part, as a calculation by hand would be. Any formula that cannot be read
// weighs 0.
#ifndef KORVATEX_FORMULA_FORMULA_H_
#define KORVATEX_FORMULA_FORMULA_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "element/symbol_table.h"

// The longest formula accepted; a longer one is invalid.
constexpr size_t kMaxFormulaLength = 499;

// The deepest nesting of groups and parts accepted; deeper is invalid. A
// formula of kMaxFormulaLength bytes can nest at most about 250 levels.
constexpr int kMaxFormulaDepth = 256;

// How the weights used were written in the data file.
struct WeightFlags {
  bool UncertainFlag = false;  // fewer reliable decimals than requested
  bool ParenFlag = false;      // a weight in parentheses (lithium)
  bool BracketFlag = false;    // a weight in square brackets (unstable isotope)
};

// The element lines of the data file, by slot of the symbol table.
using ElementLines = std::array<std::string, kElementCount>;

class FormulaEvaluator {
 public:
  FormulaEvaluator(const ElementLines& lines, int decimal_digits, WeightFlags* flags)
      : lines_(lines), decimal_digits_(decimal_digits), flags_(flags) {}

  // The weight of `text`, rounded to the decimal places; 0 when `text` is
  // not a valid formula. `top_level` is true for the whole formula, false
  // for the groups and parts within it. Flags raised stay raised.
  float EvaluateFormula(std::string_view text, bool top_level = true, int depth = 1);

  // The element weight of `slot` as read from its line, before rounding,
  // raising the flags that its written form calls for.
  float ElementWeight(int slot);

  // The slot whose line gave no weight above 0 (a missing line, or a
  // weight column that holds no number), which ends the weighing; -1 when
  // none did.
  int MissingWeightSlot() const { return missing_weight_slot_; }

 private:
  float Round(double value) const;

  const ElementLines& lines_;
  int decimal_digits_;
  WeightFlags* flags_;
  // Each element's weight column, split from its line the first time the
  // element is weighed; the flags are still raised at every use.
  std::array<std::optional<std::string>, kElementCount> weight_fields_;
  int missing_weight_slot_ = -1;
};

// Position of the bracket that closes a group, in the text after its
// opening bracket `open` ("(" or "["), or npos. Only brackets of the
// group's own kind are counted.
size_t FindClosingBracket(std::string_view text, char open);

#endif  // KORVATEX_FORMULA_FORMULA_H_
