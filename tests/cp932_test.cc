#include "main/cp932.h"

#include <gtest/gtest.h>

#include "main/fold.h"

namespace {

// 表 is 0x95 0x5C: its trail byte has the value of a backslash.
const char kHyou[] = "表";

TEST(Cp932Test, SourceTextsCompileToCp932Bytes) {
  EXPECT_EQ(std::string(kHyou), "\x95\x5C");
  EXPECT_EQ(std::string("パラメータが足りません。"),
            "\x83\x70\x83\x89\x83\x81\x81\x5B\x83\x5E\x82\xAA\x91\xAB\x82\xE8\x82\xDC"
            "\x82\xB9\x82\xF1\x81\x42");
}

TEST(Cp932Test, SearchesNeverMatchATrailByte) {
  const std::string path = std::string("C:\\") + kHyou + "\\" + kHyou + "X";
  EXPECT_EQ(cp932::FindLast(path, '\\'), 5u);
  EXPECT_EQ(cp932::Find(std::string(kHyou) + "\\", '\\'), 2u);
  EXPECT_EQ(cp932::Find(kHyou, '\\'), cp932::npos);
  EXPECT_EQ(cp932::FindText("ア]､", "A"), cp932::npos);  // ア is 0x83 0x41
  EXPECT_EQ(cp932::CountChars("2.5 (加圧)"), 8u);
  // A lead byte at the end stands alone.
  EXPECT_EQ(cp932::CharLength("a\x81", 1), 1u);
  EXPECT_EQ(cp932::CountChars("a\x81"), 2u);
}

TEST(FoldTest, FoldsOnlyTheFullWidthSet) {
  const struct {
    const char* input;
    const char* expected;
  } cases[] = {
      {"Ｈ２Ｏ", "H2O"},
      {"ＣｕＳＯ４・５Ｈ２Ｏ", "CuSO4\xA5" "5H2O"},
      {"（ＣＨ３）２．［Ｘ］＊", "(CH3)2.[X]*"},
      {"Ｆe", "Fe"},
      {"H２O", "H2O"},
      {"／？", "／？"},
      {"／Ｗ", "／W"},
      {"Pア１", "Pア1"},
      {"ア", "ア"},
      {"ｚＺ９０", "zZ90"},
      {"ab\x82", "ab\x82"},
      {"", ""},
      {"水銀 ＋－、", "水銀 ＋－、"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(FoldFullWidth(std::string_view(c.input)), c.expected);
    std::string in_place = c.input;
    EXPECT_STREQ(FoldFullWidth(in_place.data()), c.expected);
  }
}

}  // namespace
