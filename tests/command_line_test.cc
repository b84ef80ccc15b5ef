#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

TEST(CommandLineTest, SplitsLikeTheWindowsProgramDoes) {
  const struct {
    const char* line;
    Args expected;
  } cases[] = {
      {"korvatex.exe", {}},
      {"korvatex.exe Fe", {"Fe"}},
      {" Fe", {"Fe"}},  // a blank first: the program token is empty
      {"\"C:\\Program Files\\K\\korvatex.exe\" /W  CuSO4.5H2O\t2", {"/W", "CuSO4.5H2O", "2"}},
      {"\"C:\\My Apps\\k.exe\"Fe", {"Fe"}},  // a quoted program token ends at its quote
      {"k /W \"Ca (OH)2\"", {"/W", "Ca (OH)2"}},
      {"k ab\"c d\"e f", {"abc de", "f"}},  // touching stretches form one argument
      {"k \"\" x", {"", "x"}},
      {"k a\\\"b \"c\\\"d\"", {"a\"b", "c\"d"}},      // \" is a literal quote, inside or out
      {"k C:\\dir\\ *.csv", {"C:\\dir\\", "*.csv"}},  // other backslashes, no wildcards
      {"k \x95\x5C\" x\"", {"\x95\x5C x"}},   // 表 then a quote: the trail 0x5C is no backslash
      {"k \x81\x40x y", {"\x81\x40x", "y"}},  // a full-width space is not a separator
      {"k   ", {}},
      {"k \"open", {"open"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(SplitCommandLine(c.line), c.expected);
  }
}

}  // namespace
