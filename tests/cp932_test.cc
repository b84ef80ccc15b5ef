#include "text/cp932.h"

#include <gtest/gtest.h>

#include "text/fold.h"
#include "test_support.h"

namespace {

// 表 is 0x95 0x5C: its trail byte has the value of a backslash.
const std::string kHyou = Cp932("表");

TEST(Cp932Test, SourceTextsCompileToCp932Bytes) {
  EXPECT_EQ(std::string(kHyou), "\x95\x5C");
  EXPECT_EQ(std::string(Cp932("パラメータが足りません。")),
            "\x83\x70\x83\x89\x83\x81\x81\x5B\x83\x5E\x82\xAA\x91\xAB\x82\xE8\x82\xDC"
            "\x82\xB9\x82\xF1\x81\x42");
}

TEST(Cp932Test, SearchesNeverMatchATrailByte) {
  const std::string path = std::string("C:\\") + kHyou + "\\" + kHyou + "X";
  EXPECT_EQ(cp932::FindLast(path, '\\'), 5u);
  EXPECT_EQ(cp932::Find(std::string(kHyou) + "\\", '\\'), 2u);
  EXPECT_EQ(cp932::Find(kHyou, '\\'), cp932::npos);
  EXPECT_EQ(cp932::FindText(Cp932("ア]､"), "A"), cp932::npos);  // ア is 0x83 0x41
  EXPECT_EQ(cp932::CountChars(Cp932("2.5 (加圧)")), 8u);
  // A lead byte at the end stands alone.
  EXPECT_EQ(cp932::CharLength("a\x81", 1), 1u);
  EXPECT_EQ(cp932::CountChars("a\x81"), 2u);
}

TEST(FoldTest, FoldsOnlyTheFullWidthSet) {
  const struct {
    std::string input;
    std::string expected;
  } cases[] = {
      {Cp932("Ｈ２Ｏ"), "H2O"},
      {Cp932("ＣｕＳＯ４・５Ｈ２Ｏ"), "CuSO4\xA5" "5H2O"},
      {Cp932("（ＣＨ３）２．［Ｘ］＊"), "(CH3)2.[X]*"},
      {Cp932("Ｆe"), "Fe"},
      {Cp932("H２O"), "H2O"},
      {Cp932("／？"), Cp932("／？")},
      {Cp932("／Ｗ"), Cp932("／W")},
      {Cp932("Pア１"), Cp932("Pア1")},
      {Cp932("ア"), Cp932("ア")},
      {Cp932("ｚＺ９０"), "zZ90"},
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
