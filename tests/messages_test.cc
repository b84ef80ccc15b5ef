#include "main/messages.h"

#include <gtest/gtest.h>

namespace {

TEST(MessagesTest, EveryCodeHasItsText) {
  const struct {
    int code;
    const char* fill;
    bool from_command_line;
    const char* expected;
  } cases[] = {
      {kSuccess, "", false, ""},
      {kHelpOpened, "", false, ""},
      {kTooFewParameters, "", false, "パラメータが足りません。"},
      {kBadParameters, "", false, "パラメータが不正です。"},
      {kNoDataFile, "C:\\A\\KORVATEX.CSV", false,
       "データファイル \"C:\\A\\KORVATEX.CSV\" がありません。"},
      {kBadSymbol, "Xx", false, "「Xx」は、不正な元素記号です。"},
      {kBadAtomicNumber, "112", false, "「112」は、不正な原子番号です。"},
      {kTooManyItems, "", false, "データファイルの項目数が多すぎます。"},
      {kNoClipboard, "", false, "クリップボードが使えません。"},
      {kBadFormula, "h2o", false, "「h2o」は、不正な化学式です。"},
      {kUncertainDigits, "３", true, "小数点以下 ３ 桁では、不確かな数値が出ます。"},
      {kUncertainDigits, "３", false, "小数点以下３桁では、不確かな数値が出ます。"},
      {kDigitsOutOfRange, "７", false, "小数点以下の桁数は、０から７までです。"},
      {kContainsLithium, "", false, "この化学式はリチウムを含んでいます。"},
      {kUnstableIsotope, "TcO2", false, "化学式「TcO2」には、不安定な同位体が含まれています。"},
      // A "%" in the fill is an ordinary character.
      {kBadFormula, "%s%d", false, "「%s%d」は、不正な化学式です。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(ComposeMessage(c.code, c.fill, c.from_command_line), c.expected);
  }
}

TEST(MessagesTest, CaptionsAndFullWidthDigits) {
  EXPECT_EQ(TitleCaption(), "元素データ表示 Ver.7.20");
  EXPECT_STREQ(kWeightCaption, "分子量・式量計算");
  std::string buffer;
  EXPECT_EQ(FullWidthDigit(buffer, 0), "０");
  EXPECT_EQ(FullWidthDigit(buffer, 7), "\x82\x56");
  EXPECT_EQ(FullWidthDigit(buffer, 9), "９");
  EXPECT_EQ(FullWidthDigit(buffer, 10), "９");  // left as it was
  std::string empty;
  EXPECT_EQ(FullWidthDigit(empty, 4000000000u), "");
}

}  // namespace
