#include "formula/molweigh.h"

#include "text/numbers.h"
#include "text/texts.h"

Molweigh::Molweigh(std::string_view formula, const SettingsLocation& settings,
                   std::optional<std::string_view> digits)
    : Genso(settings) {
  if (digits) DecimalDigits = ReadInteger(*digits);
  if (DecimalDigits < 0 || DecimalDigits > kMaxDecimalDigits) {
    ResultCode = kDigitsOutOfRange;
    return;
  }
  if (!DataFile) return;  // ResultCode is already 4
  if (formula.size() > kMaxFormulaLength) {
    ResultCode = kBadFormula;
    return;
  }
  FormulaText = formula;

  // Each element's own line, found by its atomic number: a file with a
  // blank, missing or moved line never lends an element another's weight.
  // Slots without a line stay empty, and an element weighed from one has
  // no weight.
  for (int slot = 0; slot < kElementCount; ++slot) {
    DataLines[slot] = DataFile->ElementLine(slot + 1).value_or(std::string_view());
  }

  FormulaEvaluator evaluator(DataLines, DecimalDigits, &Flags);
  FormulaWeight = evaluator.EvaluateFormula(FormulaText, true);
  // Zero means the formula could not be read. A negative weight can only
  // come from a data file with a negative atomic weight; it is no result
  // either.
  if (!(FormulaWeight > 0)) {
    ResultCode = kBadFormula;
    MissingWeightSlot = evaluator.MissingWeightSlot();
  }
}

std::string Molweigh::ResultLine() const {
  return texts::kFormulaLabel + FormulaText + "\t" + texts::kWeightLabel +
         FormatFixed(static_cast<double>(FormulaWeight), DecimalDigits);
}

std::optional<std::string> Molweigh::Run() {
  if (Flags.UncertainFlag) ResultCode = kUncertainDigits;
  if (Flags.ParenFlag) ResultCode = kContainsLithium;
  if (Flags.BracketFlag) ResultCode = kUnstableIsotope;
  return ResultLine();
}
