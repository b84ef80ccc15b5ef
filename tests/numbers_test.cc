#include "text/numbers.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "test_support.h"

namespace {

TEST(NumbersTest, IntegersAndDecimalsAtTheFront) {
  const struct {
    const char* text;
    int integer;
    double decimal;
  } cases[] = {
      {"26", 26, 26},
      {" \t+8x", 8, 8},
      {"-2", -2, -2},
      {"abc", 0, 0},
      {"", 0, 0},
      {"12abc", 12, 12},
      {"-38.83", -38, -38.83},
      {"1.5e3", 1, 1500},
      {"0x1A", 0, 0},
      {"inf", 0, 0},
      {".5", 0, 0.5},
      {"5.", 5, 5},
      {"- 3", 0, 0},
      {"1e", 1, 1},
      {"99999999999999999999", 2147483647, 1e20},
      {"-99999999999999999999", -2147483647 - 1, -1e20},
      {"2147483647", 2147483647, 2147483647},
      {"-2147483648", -2147483647 - 1, -2147483648.0},
      {"\v\f7", 7, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    // In memory of its own size, with no null after it: a read past its end
    // is caught (by AddressSanitizer).
    const std::string_view view = c.text;
    const std::vector<char> text(view.begin(), view.end());
    EXPECT_EQ(ReadInteger({text.data(), text.size()}), c.integer);
    EXPECT_DOUBLE_EQ(ReadDecimal({text.data(), text.size()}), c.decimal);
  }
}

TEST(NumbersTest, RoundDecimalRoundsHalvesTowardsPositiveInfinity) {
  const struct {
    double x;
    int n;
    std::string expected;
  } cases[] = {
      {2.5, 0, "3"},        {-2.5, 0, "-2"},        {-2.4, 0, "-2"},    {-2.6, 0, "-3"},
      {0.125, 2, "0.13"},   {-0.125, 2, "-0.12"},   {1.005, 2, "1.00"}, {2.675, 2, "2.68"},
      {273.15, 1, "273.2"}, {0.5, 0, "1"},          {-1.5, 0, "-1"},    {7.0, 0, "7"},
      {273.15, 0, "273"},   {273.15, 3, "273.150"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << " at " << c.n);
    EXPECT_EQ(FormatFixed(static_cast<double>(RoundDecimal(c.x, c.n)), c.n), c.expected);
  }
}

TEST(NumbersTest, FullWidthDigits) {
  std::string buffer;
  EXPECT_EQ(FullWidthDigit(buffer, 0), Cp932("０"));
  EXPECT_EQ(FullWidthDigit(buffer, 7), "\x82\x56");
  EXPECT_EQ(FullWidthDigit(buffer, 9), Cp932("９"));
  EXPECT_EQ(FullWidthDigit(buffer, 10), Cp932("９"));  // left as it was
  std::string empty;
  EXPECT_EQ(FullWidthDigit(empty, 4000000000u), "");
}

}  // namespace
