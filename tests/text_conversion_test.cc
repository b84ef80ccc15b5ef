#include "platform/text_conversion.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "test_support.h"

namespace {

TEST(TextConversionTest, ArgumentsFromUtf8) {
  const struct {
    std::string argument, expected;
  } cases[] = {
      {u8"Ｈ２Ｏ", Cp932("Ｈ２Ｏ")},
      {u8"水銀", Cp932("水銀")},
      // A character CP932 lacks and an invalid byte each become one "?".
      {u8"jos\u00e9\u20ac!",
       "jos?"
       "?!"},
      // At the end of the text: a whole character, and a cut one byte by byte.
      {u8"x\U0001F600", "x?"},
      {u8"\u0800\u07FF", "??"},         // a lead 0xE0 and a lead 0xDF
      {u8"\u00A9\u00B6", "?\x81\xF7"},  // the lowest lead, 0xC2
      {"x\xE6\xB0", "x??"},
      {"a\xFF"
       "b\xE6",
       "a?b?"},
      // Formulas as web pages write them: middle dots and subscript digits.
      {u8"CuSO\u2084\u00B75H\u2082O", "CuSO4.5H2O"},
      {u8"A\u2022B\u2219C\u22C5D", "A.B.C.D"},
      {u8"\u2080\u2081\u2082\u2083\u2084\u2085\u2086\u2087\u2088\u2089", "0123456789"},
      {u8"\u208A\u207F\u00B8\u2023", "????"},  // the neighbours stay unknown
      {"\xE2\x82", "??"},                      // a subscript cut short
  };
  for (const auto& c : cases)
    EXPECT_EQ(ArgumentToCp932(c.argument, "UTF-8"), c.expected) << c.argument;
  EXPECT_EQ(ToCp932(u8"H\u2082O\u00B7", "UTF-8"), "H?O?");          // paths are not folded
  EXPECT_EQ(ArgumentToCp932("\x95\x5C", "SHIFT_JIS"), "\x95\x5C");  // passed through
}

TEST(TextConversionTest, OutputToUtf8KeepsEverythingAfterABadByte) {
  EXPECT_EQ(FromCp932(Cp932("化学式：H2O\t\xA4\r\n"), "UTF-8"), u8"化学式：H2O\t､\r\n");
  EXPECT_EQ(FromCp932("a\xA0"
                      "b\x81",
                      "UTF-8"),
            u8"a\uFFFDb\uFFFD");
  EXPECT_EQ(FromCp932("\x95\x5C", "UTF-8"), u8"表");
  EXPECT_EQ(FromCp932(std::string(10000, 'x') + "\xA0"
                                                "y",
                      "UTF-8")
                .size(),
            10004u);
}

TEST(TextConversionTest, ExactConversionOrNone) {
  std::string cp932, utf8;  // longer than one round
  for (int i = 0; i < 3000; ++i) cp932 += Cp932("表"), utf8 += u8"表";
  const struct {
    std::string text;
    const char* from;
    const char* to;
    std::optional<std::string> converted;
  } cases[] = {
      {cp932, "CP932", "UTF-8", utf8},
      {utf8, "UTF-8", "CP932", cp932},
      // A byte that is no character, one the other codeset lacks, one cut
      // short: none, never the text without it.
      {"a\xFF"
       "b",
       "UTF-8", "CP932", std::nullopt},
      {u8"jos\u00e9", "UTF-8", "CP932", std::nullopt},
      {"x\xE6\xB0", "UTF-8", "CP932", std::nullopt},
      {"a\xA0", "CP932", "UTF-8", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 10));
    EXPECT_EQ(ConvertExactly(c.text, c.from, c.to), c.converted);
  }
}

TEST(TextConversionTest, Codesets) {
  EXPECT_EQ(EffectiveCodeset("ANSI_X3.4-1968"), "UTF-8");
  EXPECT_EQ(EffectiveCodeset(""), "UTF-8");
  EXPECT_EQ(EffectiveCodeset("EUC-JP"), "EUC-JP");
  for (const char* name :
       {"shift_jis", "SHIFT-JIS", "SJIS", "CP932", "Windows-31J", "MS932", "MS_KANJI"}) {
    EXPECT_TRUE(IsShiftJisCodeset(name)) << name;
  }
  EXPECT_FALSE(IsShiftJisCodeset("UTF-8"));
  EXPECT_EQ(FromCp932(Cp932("水"), "EUC-JP"), "\xBF\xE5");
  EXPECT_EQ(FromCp932(Cp932("水"), "ISO-2022-JP"), "\x1B$B?e\x1B(B");  // ends back in ASCII
  // A codeset iconv does not know: the text is passed on as it is.
  EXPECT_EQ(FromCp932(Cp932("水"), "NO-SUCH-CODESET"), Cp932("水"));
  EXPECT_EQ(ToCp932(u8"水", "NO-SUCH-CODESET"), u8"水");
}

}  // namespace
