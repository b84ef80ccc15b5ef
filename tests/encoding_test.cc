#include "text/encoding.h"

#include <gtest/gtest.h>

#include <optional>

#include "test_support.h"

namespace {

TEST(EncodingTest, Utf16OrUtf8WhenMarkedOrValidWithAMultiByteSequence) {
  const struct {
    std::string text;
    TextEncoding encoding;
  } cases[] = {
      {std::string("\xFF\xFE"
                   "a\0",
                   4),
       TextEncoding::kUtf16Le},
      {std::string("\xFE\xFF\0a", 4), TextEncoding::kUtf16Be},
      {"\xFE", TextEncoding::kCp932},
      {"\xEF\xBB\xBF", TextEncoding::kUtf8},  // the byte order mark alone
      {"\xEF\xBB\xBF" + Cp932("表"), TextEncoding::kUtf8},
      {u8"データ=元素表.csv", TextEncoding::kUtf8},
      {u8"é", TextEncoding::kUtf8},
      {u8"\u00A9\u07FF", TextEncoding::kUtf8},      // the lowest and highest two-byte leads
      {u8"\uD7FF", TextEncoding::kUtf8},            // lead 0xED, just below the surrogates
      {u8"𠮷", TextEncoding::kUtf8},                // four bytes
      {u8"\U00040000", TextEncoding::kUtf8},        // four bytes, lead 0xF1
      {u8"\u0800\U00010000", TextEncoding::kUtf8},  // the lowest of three and four bytes
      {"", TextEncoding::kCp932},
      {"Digits=2\r\n", TextEncoding::kCp932},  // ASCII alone
      {Cp932("データ=元素表.csv"), TextEncoding::kCp932},
      {Cp932("ｱｲｳ"), TextEncoding::kCp932},            // half-width kana, single bytes 0xA1-0xDF
      {u8"元素" + Cp932("表"), TextEncoding::kCp932},  // not UTF-8 throughout
      {"\xE5\x85", TextEncoding::kCp932},              // a sequence cut short at the end
      {"\xC0\xAF", TextEncoding::kCp932},              // overlong "/"
      {"\xE0\x9F\xBF", TextEncoding::kCp932},          // overlong U+07FF
      {"\xF0\x8F\xBF\xBF", TextEncoding::kCp932},      // overlong U+FFFF
      {"\xED\xA0\x80", TextEncoding::kCp932},          // a surrogate
      {"\xF4\x90\x80\x80", TextEncoding::kCp932},      // above U+10FFFF
      {"\xF5\x80\x80\x80", TextEncoding::kCp932},      // no lead byte at all
      {"\xC3\x7F", TextEncoding::kCp932},              // a second byte below the trail bytes
      {"\xE3\x81\xC0", TextEncoding::kCp932},          // a third byte above the trail bytes
      {"\xE3\x81", TextEncoding::kCp932},
      {u8"é" + std::string("\x80"), TextEncoding::kCp932},  // a trail byte with no lead
      {u8"é" + std::string("\xC3\x7F"), TextEncoding::kCp932},
      {u8"é" + std::string("\xE3\x81\xC0"), TextEncoding::kCp932},
      {u8"元素" + std::string("\xE5"), TextEncoding::kCp932},  // a lead byte last
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(TextEncodingOf(c.text), c.encoding);
  }
}

// Every character as the same file in CP932 holds it; what CP932 lacks, or
// what is no character, as one "?" that moves no field.
TEST(EncodingTest, ConvertedToCp932) {
  const std::string text = u8"1,H,水素,ｽｲｿ,¥,～,−,①,Ⅰ,∵,\\~\r\n";
  const std::string cp932 = Cp932("1,H,水素,ｽｲｿ,") + "\\" + Cp932(",～,－,①,Ⅰ,∵,") + "\\~\r\n";
  const struct {
    std::string text;
    TextEncoding encoding;
    std::string expected;
  } cases[] = {
      {text, TextEncoding::kUtf8, cp932},
      {"\xEF\xBB\xBF" + text, TextEncoding::kUtf8, cp932},  // the mark left out
      {"\xFF\xFE" + Convert(text, "UTF-8", "UTF-16LE"), TextEncoding::kUtf16Le, cp932},
      {"\xFE\xFF" + Convert(text, "UTF-8", "UTF-16BE"), TextEncoding::kUtf16Be, cp932},
      {Convert(text, "UTF-8", "UTF-16LE"), TextEncoding::kUtf16Le, cp932},
      {cp932, TextEncoding::kCp932, cp932},
      {u8"a,한,😀,é,b", TextEncoding::kUtf8, "a,?,?,?,b"},
      {"a,\xE6\xB0,\xFF,\xC3\x7F", TextEncoding::kUtf8, "a,??,?,?\x7F"},
      {"\xEF\xBB\xBF\x8C\xB3,", TextEncoding::kUtf8, "??,"},  // marked, yet CP932
      {Convert(u8"a😀b", "UTF-8", "UTF-16LE"), TextEncoding::kUtf16Le, "a?b"},
      {std::string("a\0\x00\xD8,\0", 6), TextEncoding::kUtf16Le, "a?,"},  // a lone surrogate
      {std::string("\0a\0", 3), TextEncoding::kUtf16Be, "a?"},            // an odd last byte
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.expected));
    EXPECT_EQ(ConvertToCp932(c.text, c.encoding), c.expected);
  }
  EXPECT_EQ(Utf16ToUtf8("\xFE\xFF" + Convert(text, "UTF-8", "UTF-16BE"), TextEncoding::kUtf16Be),
            text);
  // The last low surrogate, alone, is no character.
  EXPECT_EQ(Utf16ToUtf8(std::string("\xFF\xDF", 2), TextEncoding::kUtf16Le), "\xEF\xBF\xBD");
}

// Paths on Windows: UTF-8 to UTF-16 and back, and no UTF-16 for a text
// that is not UTF-8 (it would name another file).
TEST(EncodingTest, Utf8AndUtf16UnitsConvertBothWays) {
  const struct {
    std::string utf8;
    std::optional<std::u16string> units;
  } cases[] = {
      {"", u""},
      {u8"C:\\元素\\é😀.csv", u"C:\\元素\\é😀.csv"},
      {u8"\U00040000\U0010FFFF", u"\U00040000\U0010FFFF"},  // leads 0xF1 and 0xF4
      {u8"\uFFFF\U00010000", u"\uFFFF\U00010000"},          // the last unit alone, the first pair
      {u8"\u07FF\u0800", u"\u07FF\u0800"},                  // two bytes, then three
      {"\xC0\xAF", std::nullopt},                           // an overlong "/"
      {"\xED\xA0\x80", std::nullopt},                       // a surrogate written in UTF-8
      {"a\x8C\xB3", std::nullopt},                          // CP932
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.utf8));
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.units);
    if (c.units) {
      EXPECT_EQ(Utf16ToUtf8(*c.units), c.utf8);
    }
  }
  // A high surrogate that ends the text, whatever lies past its end.
  EXPECT_EQ(Utf16ToUtf8(std::u16string_view(u"a\U0001F600", 2)), "a\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(u"a") + char16_t(0xDC00) + u"b"),
            "a\xEF\xBF\xBD"
            "b");
}

}  // namespace
