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
      {"\x82\x4E\x82\x59\x82\x5F\x82\x7A\x82\x80\x82\x9B",  // just outside each run
       "\x82\x4E\x82\x59\x82\x5F\x82\x7A\x82\x80\x82\x9B"},
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

// ァ to ン fold to ぁ to ん, across the gap at 0x837F, which is no
// character and stays as it is; so do ヴ and everything else.
TEST(FoldTest, KatakanaToHiragana) {
  const struct {
    std::string input, expected;
  } cases[] = {
      {Cp932("テツ"), Cp932("てつ")},
      {Cp932("ァン"), Cp932("ぁん")},
      {Cp932("ミム"), Cp932("みむ")},
      {"\x83\x7F", "\x83\x7F"},
      {Cp932("ヴー"), Cp932("ヴー")},
      {Cp932("iron すいそ"), Cp932("iron すいそ")},
      {"\x83", "\x83"},
  };
  for (const auto& c : cases) EXPECT_EQ(KatakanaToHiragana(c.input), c.expected) << c.input;
}

}  // namespace
