#include "text/encoding.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

TEST(EncodingTest, Utf8WhenMarkedOrValidWithAMultiByteSequence) {
  const struct {
    std::string text;
    TextEncoding encoding;
  } cases[] = {
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
      {u8"元素" + std::string("\xE5"), TextEncoding::kCp932},  // a lead byte last
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(SettingsTextEncoding(c.text), c.encoding);
  }
}

}  // namespace
