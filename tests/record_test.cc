#include "files/record.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

using Fields = std::vector<std::string>;

TEST(RecordTest, SplitsAtEveryComma) {
  const struct {
    std::string line;
    Fields expected;
  } cases[] = {
      {"a,b,c\r\n", {"a", "b", "c"}},
      {"", {""}},
      {"\n", {""}},
      {"a,,b,\n", {"a", "", "b", ""}},
      {"\"x\",\"y,z\"\n", {"x", "y", "z"}},  // quotes vanish and cannot protect a comma
      {"a\rb,c\r", {"a"}},                   // a CR ends the text (the reader drops CRs before)
      {"0,1,2,3,4,5,-12.5,-7\n", {"0", "1", "2", "3", "4", "5", "(12.5)", "-7"}},
      {"0,1,2,3,4,5,-\n", {"0", "1", "2", "3", "4", "5", "()"}},
      {"-1,1,2,3,4,5,(6.9)\n", {"-1", "1", "2", "3", "4", "5", "(6.9)"}},
      {Cp932("水銀,表,ア\n"), {Cp932("水銀"), Cp932("表"), Cp932("ア")}},
      {"\x81,x\n", {"\x81,x"}},                // a lead byte takes the comma as its trail
      {"\"a\"b\x83\x22\"\n", {"ab\x83\x22"}},  // and a quote
      {std::string("a,b\0c,d", 7), {"a", "b"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    ElementRecord record{"stale"};
    EXPECT_EQ(SplitRecord(c.line, &record), static_cast<int>(c.expected.size()));
    EXPECT_EQ(record, c.expected);
  }
  // The line ends where it ends, whatever lies past it.
  ElementRecord record;
  EXPECT_EQ(SplitRecord(std::string_view("a,b", 1), &record), 1);
}

TEST(RecordTest, LongLinesAndManyFieldsAreHeldWhole) {
  std::string line = std::string(50000, 'w');
  for (int i = 0; i < 999; ++i) line += ",f";
  ElementRecord record;
  EXPECT_EQ(SplitRecord(line, &record), 1000);
  EXPECT_EQ(record[0].size(), 50000u);
  EXPECT_EQ(record[999], "f");
}

}  // namespace
