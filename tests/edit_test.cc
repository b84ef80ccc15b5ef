#include "text/edit.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

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
