#include "formula/formula.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>

#include "text/numbers.h"

namespace {

// Element lines whose column 6 holds the given weight texts, by slot.
ElementLines LinesWith(std::initializer_list<std::pair<int, const char*>> weights) {
  ElementLines lines;
  for (const auto& [slot, weight] : weights) {
    lines[slot] = std::to_string(slot + 1) + ",X,a,b,c,d," + weight + ",1,1\n";
  }
  return lines;
}

// H, Li, C, N, O, Al, S, Ca, Cu, Zn, Tc and Xe; every other element has no
// line.
const ElementLines kSample = [] {
  ElementLines lines = LinesWith({{0, "1.00794"},
                                  {2, "-6.941"},
                                  {5, "12.0107(8)"},
                                  {6, "14.0067"},
                                  {7, "15.9994"},
                                  {12, "26.9815"},
                                  {15, "32.065"},
                                  {19, "40.078"},
                                  {28, "63.546"},
                                  {29, "65.38"},
                                  {42, "[98]"},
                                  {53, "131.293"}});
  lines[1] = "2,He,a,b,c,d\n";  // ends before its weight column
  return lines;
}();

std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

float Weigh(std::string_view formula, int digits, WeightFlags* flags) {
  return FormulaEvaluator(kSample, digits, flags).EvaluateFormula(formula);
}

TEST(FormulaEvaluatorTest, ReadsOrRefusesEachForm) {
  const struct {
    std::string formula;
    const char* printed;
  } cases[] = {
      // "0": invalid
      {"H2O", "18.0152"},
      {"Al2ZnO4", "183.3406"},  // symbols from A and from Z
      {"H2O.", "0"},
      {"H2O.5", "0"},
      {"H2O.0H2O", "0"},
      {"H2O.10H2O", "198.1672"},
      {"2H2O", "0"},
      {"(2H2O)", "36.0304"},
      {"h2o", "0"},
      {"Hh", "0"},
      {"HH", "2.0158"},
      {"()", "0"},
      {"H2O)", "0"},
      {"(H2O", "0"},
      {"((H))", "1.0079"},
      {"[Cu(H2O)4]SO4", "231.6694"},
      {"[Cu(H2O]4)", "0"},
      {"H0", "0"},
      {"H2O0", "2.0158"},
      {"H0Xe", "131.2930"},  // the count "0", not the hex number "0Xe"
      {"O2.H2O*H", "51.0219"},
      {"O2*H2O.H", "0"},
      {"O2*H2O\xA5H", "51.0219"},
      {"O2\xA5H2O*H", "0"},
      {"Ca(H2O.H)", "0"},
      {"H2O.(H2O*NH3)", "0"},
      {"(H2O*NH3)*H2O", "0"},
      {"(H2O*NH3).H2O", "53.0608"},
      {"CuSO4.5H2O", "249.6846"},
      {"CuSO4*5H2O", "249.6846"},
      {"CuSO4\xA5"
       "5H2O",
       "249.6846"},
      {"H2 O", "0"},
      {"Fe", "0"},
      {"HFe", "0"},
      {"H(Fe)", "0"},
      {"", "0"},
      {"H2O.2(H2O)", "54.0456"},
      {"H.2H.O", "19.0231"},
      {"Mt", "0"},
      {"H99999999999999999999999999999999999999999", "0"},
      {"(H)99999999999999999999999999999999999999999", "0"},
      {"H.99999999999999999999999999999999999999999H", "0"},
      {"H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H.H", "30.2370"},
      {std::string(30, '(') + "H" + std::string(30, ')'), "1.0079"},
      {std::string(1000, '(') + "H" + std::string(1000, ')'), "0"},
      {"He", "0"},
      {"H.3" + std::string(38, '0') + "H2", "0"},  // the part's weight overflows
      {"H.3" + std::string(38, '0') + "H2.H", "0"},
      // A term without a count that takes the sum past the largest float.
      {"(H)3" + std::string(38, '0') + "((H)3" + std::string(38, '0') + ")", "0"},
      // The formula and the groups within it: 256 levels at most.
      {std::string(255, '(') + "H" + std::string(255, ')'), "1.0079"},
      {std::string(256, '(') + "H" + std::string(256, ')'), "0"},
      {Repeat("H.", 255) + "H", "258.0224"},  // parts nest like groups: 256 levels
      {Repeat("H.", 256) + "H", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula.substr(0, 60));
    WeightFlags flags;
    const float weight = Weigh(c.formula, 4, &flags);
    EXPECT_EQ(weight == 0 ? "0" : FormatFixed(weight, 4), c.printed);
  }
}

TEST(FormulaEvaluatorTest, RoundsEveryStepInSinglePrecision) {
  const struct {
    const char* formula;
    int digits;
    const char* printed;
    bool uncertain;
  } cases[] = {
      {"H2O", 4, "18.0152", false},        {"H2O", 0, "18", false},
      {"H2O.H", 0, "19", false},           {"H2O", 7, "18.0152798", true},
      {"CuSO4.5H2O", 2, "249.71", false},  {"CuSO4.5H2O", 4, "249.6846", true},
      {"H2O.10H2O", 4, "198.1672", false}, {"H2O0", 4, "2.0158", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.formula) + " at " + std::to_string(c.digits));
    WeightFlags flags;
    EXPECT_EQ(FormatFixed(Weigh(c.formula, c.digits, &flags), c.digits), c.printed);
    EXPECT_EQ(flags.UncertainFlag, c.uncertain);
    EXPECT_FALSE(flags.ParenFlag || flags.BracketFlag);
  }
}

TEST(FormulaEvaluatorTest, RaisesFlagsFromTheWrittenWeight) {
  const struct {
    const char* text;
    int digits;
    float weight;
    bool uncertain, paren, bracket;
  } cases[] = {
      {"1.00794", 4, 1.00794f, false, false, false},
      {"1.00794", 7, 1.00794f, true, false, false},
      {"12.0107(8)", 4, 12.0107f, true, false, false},
      {"12.0107(8)", 3, 12.0107f, false, false, false},
      {"-6.941", 5, 6.941f, true, true, false},
      {"-6.941", 3, 6.941f, false, true, false},
      {"[98]", 0, 98.0f, false, false, true},
      {"[98]", 1, 98.0f, true, false, true},
      // The largest float is kept; a weight beyond it is none.
      {"340282346638528859811704183484516925440", 0, FLT_MAX, false, false, false},
      {"340282366920938463463374607431768211456", 0, 0.0f, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.digits));
    const ElementLines lines = LinesWith({{0, c.text}});
    WeightFlags flags;
    EXPECT_EQ(FormulaEvaluator(lines, c.digits, &flags).ElementWeight(0), c.weight);
    EXPECT_EQ(flags.UncertainFlag, c.uncertain);
    EXPECT_EQ(flags.ParenFlag, c.paren);
    EXPECT_EQ(flags.BracketFlag, c.bracket);
  }
}

TEST(FormulaEvaluatorTest, KeepsFlagsOfUncountedAndRefusedElements) {
  const struct {
    const char* formula;
    bool valid, paren, bracket;
  } cases[] = {
      {"HTc0", true, false, true},  {"Tc0", false, false, true},   {"H2OLi0", true, true, false},
      {"LiHh", false, true, false}, {"TcLiHh", false, true, true}, {"H2O", true, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    WeightFlags flags;
    EXPECT_EQ(Weigh(c.formula, 2, &flags) > 0, c.valid);
    EXPECT_EQ(flags.ParenFlag, c.paren);
    EXPECT_EQ(flags.BracketFlag, c.bracket);
  }
}

TEST(FormulaClosingBracketTest, CountsOnlyItsOwnKind) {
  constexpr size_t kNone = std::string_view::npos;
  const struct {
    const char* text;
    char open;
    size_t expected;
  } cases[] = {
      {"H)", '(', 1},     {"(H)O)", '(', 4},   {"H]O)", '(', 3},    {"H)]", '[', 2},
      {"[H)O]]", '[', 5}, {"H2O", '(', kNone}, {"(H)", '(', kNone}, {"", '[', kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + c.open);
    EXPECT_EQ(FindClosingBracket(c.text, c.open), c.expected);
  }
}

}  // namespace
