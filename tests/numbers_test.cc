#include "text/numbers.h"

#include <gtest/gtest.h>

namespace {

TEST(NumbersTest, IntegersAndDecimalsAtTheFront) {
  const struct {
    const char* text;
    int integer;
    double decimal;
  } cases[] = {
      {"26", 26, 26},           {" \t+8x", 8, 8},      {"-2", -2, -2},
      {"abc", 0, 0},            {"", 0, 0},            {"12abc", 12, 12},
      {"-38.83", -38, -38.83},  {"1.5e3", 1, 1500},    {"0x1A", 0, 0},
      {"inf", 0, 0},            {".5", 0, 0.5},        {"5.", 5, 5},
      {"- 3", 0, 0},            {"1e", 1, 1},
      {"99999999999999999999", 2147483647, 1e20},
      {"-99999999999999999999", -2147483647 - 1, -1e20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadInteger(c.text), c.integer);
    EXPECT_DOUBLE_EQ(ReadDecimal(c.text), c.decimal);
  }
}

}  // namespace
