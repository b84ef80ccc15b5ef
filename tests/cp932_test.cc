#include "text/cp932.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

// 表 is 0x95 0x5C: its trail byte has the value of a backslash.
const std::string kHyou = Cp932("表");

TEST(Cp932Test, SearchesNeverMatchATrailByte) {
  const std::string path = std::string("C:\\") + kHyou + "\\" + kHyou + "X";
  EXPECT_EQ(cp932::Find(path, '\\', 3), 5u);
  EXPECT_EQ(cp932::Find(std::string(kHyou) + "\\", '\\'), 2u);
  EXPECT_EQ(cp932::Find(kHyou, '\\'), cp932::npos);
  EXPECT_EQ(cp932::Find("=x=", '='), 0u);
  // A search stops at the end of its text, whatever byte follows it.
  EXPECT_EQ(cp932::Find(std::string_view("ab\\", 2), '\\'), cp932::npos);
  EXPECT_EQ(cp932::FindText(Cp932("ア]､"), "A"), cp932::npos);  // ア is 0x83 0x41
  EXPECT_EQ(cp932::CountChars(Cp932("2.5 (加圧)")), 8u);
  // The lead byte ranges, at their edges.
  for (const auto& [byte, length] : {std::pair{0x80, 1u},
                                     {0x81, 2u},
                                     {0x9F, 2u},
                                     {0xA0, 1u},
                                     {0xDF, 1u},
                                     {0xE0, 2u},
                                     {0xFC, 2u},
                                     {0xFD, 1u}}) {
    EXPECT_EQ(cp932::CharLength(std::string{static_cast<char>(byte), 'x'}, 0), length) << byte;
  }
  // A lead byte at the end stands alone.
  EXPECT_EQ(cp932::CharLength("a\x81", 1), 1u);
  EXPECT_EQ(cp932::CountChars("a\x81"), 2u);
}

}  // namespace
