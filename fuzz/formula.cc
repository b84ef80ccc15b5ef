// EvaluateFormula on arbitrary formulas and data lines. The input's first
// line is the formula; each further line replaces the data line of the
// next element, from hydrogen on; the other elements keep the shipped data.
#include "formula/formula.h"

#include <fstream>

#include "files/line_reader.h"
#include "fuzz.h"

namespace {

// The shipped data lines, read once.
const ElementLines& ShippedLines() {
  static const ElementLines lines = [] {
    ElementLines loaded;
    auto reader = LineReader::Open(KORVATEX_DATA_FILE);
    std::string titles;
    if (reader) reader->ReadLine(&titles);
    for (std::string& line : loaded) {
      if (reader) reader->ReadLine(&line);
    }
    return loaded;
  }();
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view data = AsText(bytes, size);
  // The lines in use: the shipped ones, of which the input replaces the
  // first few. Kept from run to run, and only the replaced slots are put
  // back, so that a run costs no copy of the whole data file.
  static ElementLines lines = ShippedLines();
  static size_t replaced = 0;
  for (size_t slot = 0; slot < replaced; ++slot) lines[slot] = ShippedLines()[slot];
  replaced = 0;
  size_t end = data.find('\n');
  const std::string_view formula = data.substr(0, end);
  for (; end != std::string_view::npos && replaced < lines.size(); ++replaced) {
    const size_t start = end + 1;
    end = data.find('\n', start);
    lines[replaced].assign(data.substr(start, end == std::string_view::npos ? end : end - start));
  }
  const int digits = formula.empty() ? 0 : static_cast<unsigned char>(formula.back()) % 8;
  WeightFlags flags;
  FormulaEvaluator evaluator(lines, digits, &flags);
  const float weight = evaluator.EvaluateFormula(formula);
  Require(weight == weight && weight - weight == 0, "a finite weight");
  if (formula.size() > 0 && (formula[0] < 'A' || formula[0] > 'Z') && formula[0] != '(' &&
      formula[0] != '[') {
    Require(weight == 0, "a formula must start with a symbol or a group");
  }
  return 0;
}
