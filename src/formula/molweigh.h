// The formula weight command: `korvatex /W CuSO4.5H2O [digits]`.
//
// Construction settles the decimal places (the digits argument, else the
// settings file; 0 to 7), loads every element line of the data file and
// weighs the formula. `Run` turns the warning flags into a result code and
// gives the one-line result:
//   化学式：CuSO4.5H2O<TAB>分子量・式量＝ 249.71
#ifndef KORVATEX_FORMULA_MOLWEIGH_H_
#define KORVATEX_FORMULA_MOLWEIGH_H_

#include <optional>
#include <string>
#include <string_view>

#include "element/genso.h"
#include "formula/formula.h"

// The most decimal places a weight is given to; the least is 0.
constexpr int kMaxDecimalDigits = 7;

class Molweigh : public Genso {
 public:
  Molweigh(std::string_view formula, const SettingsLocation& settings,
           std::optional<std::string_view> digits);

  std::optional<std::string> Run() override;

  // The one-line result for the weight and formula held.
  std::string ResultLine() const;

  float FormulaWeight = 0;
  WeightFlags Flags;
  std::string FormulaText;
  ElementLines DataLines;
  // When the formula could not be weighed because the data file has no
  // weight for one of its elements: that element's slot; else -1.
  int MissingWeightSlot = -1;
};

#endif  // KORVATEX_FORMULA_MOLWEIGH_H_
