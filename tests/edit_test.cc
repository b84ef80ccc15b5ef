#include "text/edit.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

TEST(EditTest, RemoveChar) {
  std::string text = "\"a\"b\x83\x22\"";  // the quote after 0x83 is its trail byte
  EXPECT_EQ(RemoveChar(text, '"'), "ab\x83\x22");
}

TEST(EditTest, CutAtLineEnd) {
  for (const char* text : {"abc\r\n", "abc\n", "abc\rdef", "abc"}) {
    std::string s = text;
    EXPECT_EQ(CutAtLineEnd(s), "abc") << text;
  }
}

TEST(EditTest, UpperCaseArgumentStepsOverDoubleByteCharacters) {
  const struct {
    std::string input;
    std::string expected;
  } cases[] = {
      {"/w", "/W"},
      {"az", "AZ"},
      {Cp932("ａｚ"), Cp932("ＡＺ")},
      {Cp932("aア"), Cp932("Aア")},
      {"\x83\x61x", "\x83\x61X"},
      {"b\x82", "B\x82"},
      {Cp932("Ａ０ｚ"), Cp932("Ａ０Ｚ")},
  };
  for (const auto& c : cases) {
    std::string text = c.input;
    EXPECT_EQ(UpperCaseArgument(text.data()), c.expected) << c.input;
  }
}

}  // namespace
