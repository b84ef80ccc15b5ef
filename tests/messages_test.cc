#include "main/messages.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "text/texts.h"
#include "text/version.h"

namespace {

// What the catalogue cannot tell: the wording of code 10 chosen by where
// the digits came from, and nothing shown for 0, 1 and codes beyond the
// last; and where a fill goes.
TEST(MessagesTest, EachCodeShowsItsOwnTextWithTheFillInIt) {
  const struct {
    int code;
    bool from_command_line;
    const char* text;
  } cases[] = {
      {kSuccess, false, ""},
      {kHelpOpened, false, ""},
      {kUncertainDigits, true, texts::kUncertainDigitsArgument},
      {kUncertainDigits, false, texts::kUncertainDigitsSettings},
      {kUnstableIsotope + 1, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(ComposeMessage(c.code, "@", c.from_command_line), FillIn(c.text, {"@"}));
  }
  // The places are filled in order; a fill is never searched for places.
  EXPECT_EQ(FillIn("a%sb%sc", {"%s", "x"}), "a%sbxc");
  EXPECT_EQ(FillIn("a%sb%sc", {"1"}), "a1b%sc");
  EXPECT_EQ(FillIn("ab", {"1"}), "ab");
  EXPECT_EQ(ComposeMessage(kBadFormula, "h2o"), Cp932("「h2o」は、不正な化学式です。"));
}

TEST(MessagesTest, Captions) {
  EXPECT_EQ(TitleCaption(), Cp932("元素データ表示 Ver.") + kVersion);
  EXPECT_EQ(texts::kWeightCaption, Cp932("分子量・式量計算"));
}

}  // namespace
