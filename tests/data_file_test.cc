// The element data file that ships with the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <cstdlib>
#include <set>

#include "element/report.h"
#include "element/symbol_table.h"
#include "element/value_format.h"
#include "files/line_reader.h"
#include "files/record.h"
#include "main/command_main.h"
#include "test_support.h"

namespace {

size_t Digits(std::string_view text, size_t pos) {
  size_t end = pos;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  return end - pos;
}

// 55.845, 55.845(2), [97] or (6.94): the forms the formula command reads.
bool IsWeightForm(std::string_view text) {
  if (text.size() > 2 && text.front() == '[' && text.back() == ']') {
    return Digits(text, 1) == text.size() - 2;
  }
  const bool parenthesised = !text.empty() && text.front() == '(' && text.back() == ')';
  if (parenthesised) text = text.substr(1, text.size() - 2);
  const size_t whole = Digits(text, 0);
  if (whole == 0 || whole >= text.size() || text[whole] != '.') return false;
  const size_t fraction = Digits(text, whole + 1);
  const std::string_view rest = text.substr(whole + 1 + fraction);
  if (fraction == 0) return false;
  if (rest.empty()) return true;
  return !parenthesised && rest.size() > 2 && rest.front() == '(' && rest.back() == ')' &&
         Digits(rest, 1) == rest.size() - 2;
}

std::vector<std::string> ShippedLines() {
  auto reader = LineReader::Open(KORVATEX_DATA_FILE);
  std::vector<std::string> lines;
  std::string line;
  while (reader && reader->ReadLine(&line)) lines.push_back(line);
  return lines;
}

TEST(DataFileTest, ShapeOfTheShippedFile) {
  const std::string raw = ReadFile(KORVATEX_DATA_FILE);
  EXPECT_EQ(std::count(raw.begin(), raw.end(), '\n'), 112);
  EXPECT_EQ(std::count(raw.begin(), raw.end(), '\r'), 112);  // CR LF, as Windows writes it
  const std::vector<std::string> lines = ShippedLines();
  ASSERT_EQ(lines.size(), 112u);
  ElementRecord titles;
  ASSERT_EQ(SplitRecord(lines[0], &titles), 18);
  EXPECT_EQ(titles.front(), "原子番号");
  EXPECT_EQ(titles[9], "電子配置");
  EXPECT_EQ(titles.back(), "備考");
  for (int z = 1; z <= kElementCount; ++z) {
    SCOPED_TRACE(z);
    const std::string& line = lines[z];
    EXPECT_LE(line.size() - 1, 496u);  // the formula command's line limit
    EXPECT_EQ(line.find('"'), std::string::npos);
    ElementRecord fields;
    ASSERT_EQ(SplitRecord(line, &fields), 18);
    EXPECT_EQ(fields[0], std::to_string(z));
    if (z <= 109) {
      EXPECT_EQ(fields[1], SymbolAt(z - 1));
    }
    EXPECT_TRUE(IsWeightForm(fields[kWeightColumn])) << fields[kWeightColumn];
    EXPECT_EQ(fields[kWeightColumn][0] == '(', z == 3);  // only lithium, written -6.94
  }
}

TEST(DataFileTest, ShellsAddUpAndStatesAreRightAtZeroCelsius) {
  const std::vector<std::string> lines = ShippedLines();
  ASSERT_EQ(lines.size(), 112u);
  const std::set<std::string> gases = {"H", "N", "O", "F", "Cl", "He", "Ne", "Ar", "Kr", "Xe", "Rn"};
  for (int z = 1; z <= kElementCount; ++z) {
    ElementRecord fields;
    SplitRecord(lines[z], &fields);
    SCOPED_TRACE(fields[1]);
    // The shell line the report shows, such as K:2､L:8､M:14､N:2､, adds up.
    const std::optional<std::string> shells = ShellText(&fields[9]);
    ASSERT_TRUE(shells.has_value());
    int electrons = 0;
    for (size_t colon = shells->find(':'); colon != std::string::npos;
         colon = shells->find(':', colon + 1)) {
      electrons += std::atoi(shells->c_str() + colon + 1);
    }
    EXPECT_EQ(electrons, z);
    const std::string expected = fields[1] == "Hg" || fields[1] == "Br" ? " (液)"
                                 : gases.count(fields[1])              ? " (気)"
                                                                       : " (固)";
    EXPECT_EQ(StateSuffix(fields[14], fields[15]), expected);
  }
}

TEST(DataFileTest, FormulaWeightsAgreeWithTheStandardValues) {
  ScratchFolder folder;
  std::filesystem::copy_file(KORVATEX_DATA_FILE, folder.File("KORVATEX.CSV"));
  const struct {
    const char* formula;
    const char* digits;
    const char* weight;
    int code;
  } cases[] = {
      {"H2O", "3", "18.015", 0},         {"CuSO4.5H2O", "3", "249.677", 10},
      {"Ca(OH)2", "3", "74.092", 10},     {"K4[Fe(CN)6]", "4", "368.3462", 10},
      {"NaCl", "2", "58.44", 0},         {"C6H12O6", "3", "180.156", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    RecordingPlatform platform;
    Arguments args({folder.ProgramPath(), "/W", c.formula, c.digits});
    EXPECT_EQ(CommandMain(args.argc(), args.argv(), platform), c.code);
    EXPECT_EQ(platform.clipboard.substr(platform.clipboard.rfind(' ') + 1), c.weight);
  }
}

}  // namespace
