#include "main/messages.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "text/texts.h"
#include "text/version.h"

namespace {

TEST(MessagesTest, EveryCodeHasItsText) {
  const struct {
    int code;
    std::string fill;
    bool from_command_line;
    std::string expected;
  } cases[] = {
      {kSuccess, "", false, ""},
      {kHelpOpened, "", false, ""},
      {kTooFewParameters, "", false, Cp932("パラメータが足りません。")},
      {kBadParameters, "", false, Cp932("パラメータが不正です。")},
      {kNoDataFile, "C:\\A\\KORVATEX.CSV", false,
       Cp932("データファイル \"C:\\A\\KORVATEX.CSV\" がありません。")},
      {kBadSymbol, "Xx", false, Cp932("「Xx」は、不正な元素記号です。")},
      {kBadAtomicNumber, "112", false, Cp932("「112」は、不正な原子番号です。")},
      {kTooManyItems, "", false, Cp932("データファイルの項目数が多すぎます。")},
      {kNoClipboard, "", false, Cp932("クリップボードが使えません。")},
      {kBadFormula, "h2o", false, Cp932("「h2o」は、不正な化学式です。")},
      {kUncertainDigits, Cp932("３"), true, Cp932("小数点以下 ３ 桁では、不確かな数値が出ます。")},
      {kUncertainDigits, Cp932("３"), false, Cp932("小数点以下３桁では、不確かな数値が出ます。")},
      {kDigitsOutOfRange, Cp932("７"), false, Cp932("小数点以下の桁数は、０から７までです。")},
      {kContainsLithium, "", false, Cp932("この化学式はリチウムを含んでいます。")},
      {kUnstableIsotope, "TcO2", false,
       Cp932("化学式「TcO2」には、不安定な同位体が含まれています。")},
      // A "%" in the fill is an ordinary character.
      {kBadFormula, "%s%d", false, Cp932("「%s%d」は、不正な化学式です。")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(ComposeMessage(c.code, c.fill, c.from_command_line), c.expected);
  }
}

TEST(MessagesTest, Captions) {
  EXPECT_EQ(TitleCaption(), Cp932("元素データ表示 Ver.") + kVersion);
  EXPECT_EQ(texts::kWeightCaption, Cp932("分子量・式量計算"));
}

}  // namespace
