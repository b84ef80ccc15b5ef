#include "text/fold.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

TEST(FoldTest, FoldsOnlyTheFullWidthSet) {
  const struct {
    std::string input;
    std::string expected;
  } cases[] = {
      {Cp932("Ｈ２Ｏ"), "H2O"},
      {Cp932("ＣｕＳＯ４・５Ｈ２Ｏ"),
       "CuSO4\xA5"
       "5H2O"},
      {Cp932("（ＣＨ３）２．［Ｘ］＊"), "(CH3)2.[X]*"},
      {Cp932("Ｆe"), "Fe"},
      {Cp932("H２O"), "H2O"},
      {Cp932("／？"), Cp932("／？")},
      {Cp932("／Ｗ"), Cp932("／W")},
      {Cp932("Pア１"), Cp932("Pア1")},
      {Cp932("ア"), Cp932("ア")},
      {Cp932("あＨ"), Cp932("あ") + "H"},  // hiragana shares the lead byte of the letters
      {Cp932("ａｚＡＺ０９"), "azAZ09"},   // the first and last of each run
      {"ab\x82", "ab\x82"},
      {"", ""},
      {Cp932("水銀 ＋－、"), Cp932("水銀 ＋－、")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(FoldFullWidth(std::string_view(c.input)), c.expected);
    std::string in_place = c.input;
    EXPECT_EQ(FoldFullWidth(in_place.data()), c.expected);
  }
}

}  // namespace
