// The element data file: its UTF-8 master and the CP932 file that ships
// with the program. Every check of the file's content lives here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>

#include "element/report.h"
#include "element/symbol_table.h"
#include "element/value_format.h"
#include "files/line_reader.h"
#include "files/record.h"
#include "main/command_main.h"
#include "main/messages.h"
#include "platform/text_conversion.h"
#include "test_support.h"
#include "text/encoding.h"
#include "text/fold.h"

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

constexpr char16_t kLongVowelMark = 0x30FC;  // written in both kana
constexpr char16_t kHiragana[] = {0x3041, 0x3096}, kKatakana[] = {0x30A1, 0x30F6};

bool IsKana(std::u16string_view text, const char16_t (&range)[2]) {
  for (const char16_t c : text) {
    if ((c < range[0] || c > range[1]) && c != kLongVowelMark) return false;
  }
  return !text.empty();
}

// The group and period that the atomic number gives (3 for the
// lanthanoids and actinoids).
std::pair<int, int> GroupAndPeriod(int z) {
  if (z <= 2) return {z == 1 ? 1 : 18, 1};
  const int starts[] = {3, 11, 19, 37, 55, 87};
  int period = 7;
  while (z < starts[period - 2]) --period;
  const int i = z - starts[period - 2];
  if (period <= 3) return {i < 2 ? i + 1 : i + 11, period};
  if (period <= 5 || i < 2) return {i + 1, period};
  return {i <= 16 ? 3 : i - 13, period};
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == separator) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

std::vector<std::string> ShippedLines() {
  auto reader = LineReader::Open(KORVATEX_DATA_FILE);
  std::vector<std::string> lines;
  std::string line;
  while (reader && reader->ReadLine(&line)) lines.push_back(line);
  return lines;
}

TEST(DataFileTest, TheShippedFileIsTheMasterInCp932) {
  const std::string master = ReadFile(KORVATEX_DATA_MASTER);
  EXPECT_NE(master.rfind("\xEF\xBB\xBF", 0), 0u);  // no byte order mark
  EXPECT_EQ(master.find('\r'), std::string::npos);
  EXPECT_EQ(master.find('"'), std::string::npos);
  EXPECT_EQ(master.back(), '\n');
  const std::string raw = ReadFile(KORVATEX_DATA_FILE);
  EXPECT_EQ(std::count(raw.begin(), raw.end(), '\n'), 112);
  EXPECT_EQ(std::count(raw.begin(), raw.end(), '\r'), 112);  // CR LF, as Windows writes it
  // Valid CP932 throughout: anything else would come back as U+FFFD.
  EXPECT_EQ(std::regex_replace(FromCp932(raw, "UTF-8"), std::regex("\r\n"), "\n"), master);
}

TEST(DataFileTest, ShapeOfTheShippedFile) {
  const std::vector<std::string> lines = ShippedLines();
  ASSERT_EQ(lines.size(), 112u);
  ElementRecord titles;
  ASSERT_EQ(SplitRecord(lines[0], &titles), 18);
  std::vector<std::string> expected_titles;
  for (const char* title : {"原子番号", "元素記号", "日本語名", "英語名", "語源", "よみがな",
                            "原子量", "族", "周期", "電子配置", "酸化数", "電気陰性度", "原子半径",
                            "天然存在比", "単体の融点", "単体の沸点", "単体の密度", "備考"}) {
    expected_titles.push_back(Cp932(title));
  }
  EXPECT_EQ(std::vector<std::string>(titles.begin(), titles.begin() + 18), expected_titles);
  for (int z = 1; z <= kElementCount; ++z) {
    SCOPED_TRACE(z);
    const std::string& line = lines[z];
    EXPECT_EQ(line.find('"'), std::string::npos);
    ElementRecord fields;
    ASSERT_EQ(SplitRecord(line, &fields), 18);
    EXPECT_EQ(fields[0], std::to_string(z));
    EXPECT_EQ(fields[1], z <= 109 ? std::string(SymbolAt(z - 1)) : z == 110 ? "Ds" : "Rg");
    EXPECT_TRUE(IsWeightForm(fields[kWeightColumn])) << fields[kWeightColumn];
    EXPECT_EQ(fields[kWeightColumn][0] == '(', z == 3);  // only lithium, written -6.94
  }
}

TEST(DataFileTest, EveryColumnHasItsForm) {
  const std::vector<std::string> lines = Split(ReadFile(KORVATEX_DATA_MASTER), '\n');
  ASSERT_EQ(lines.size(), 113u);  // the last line end leaves an empty part
  const struct {
    int column;
    std::regex form;
  } forms[] = {
      {9, std::regex(u8"(\\[(He|Ne|Ar|Kr|Xe|Rn)\\])?[0-9][spdf][0-9]+(、[0-9][spdf][0-9]+)*")},
      {10, std::regex(u8"-|-?[0-9]+(､-?[0-9]+)*")},
      {11, std::regex("-|[0-9]+(\\.[0-9]+)?")},
      {12, std::regex("-|[0-9]+(\\.[0-9]+)?")},
      {13, std::regex("-|[0-9]+[A-Z][a-z]?:[0-9]+(\\.[0-9]+)?%")},
      {14, std::regex("-|-?[0-9]+(\\.[0-9]+)?( \\(\\S+\\))?")},
      {15, std::regex("-|-?[0-9]+(\\.[0-9]+)?( \\(\\S+\\))?")},
      {16, std::regex("-|[0-9]+(\\.[0-9]+)?")},
  };
  for (int z = 1; z <= kElementCount; ++z) {
    SCOPED_TRACE(lines[z]);
    const std::vector<std::string> fields = Split(lines[z], ',');
    ASSERT_EQ(fields.size(), 18u);
    for (const std::string& field : fields) {
      EXPECT_FALSE(field.empty() || field.front() == ' ' || field.back() == ' ') << field;
    }
    for (const auto& f : forms) EXPECT_TRUE(std::regex_match(fields[f.column], f.form)) << f.column;
    EXPECT_EQ(fields[kWeightColumn][0] == '-', z == 3);  // lithium's weight in the minus form
    const auto [group, period] = GroupAndPeriod(z);
    EXPECT_EQ(fields[7], std::to_string(group));
    EXPECT_EQ(fields[8], std::to_string(period));
    // The reading is hiragana; a katakana name reads as itself.
    const std::u16string name = Utf8ToUtf16(fields[kJapaneseNameColumn]).value_or(u"");
    const std::u16string reading = Utf8ToUtf16(fields[kReadingColumn]).value_or(u"");
    EXPECT_TRUE(IsKana(reading, kHiragana));
    if (IsKana(name, kKatakana)) {
      std::u16string hiragana = name;
      for (char16_t& c : hiragana) {
        if (c != kLongVowelMark) c = static_cast<char16_t>(c - (kKatakana[0] - kHiragana[0]));
      }
      EXPECT_EQ(hiragana, reading);
    }
    // The most abundant isotope is one of the element's own, at most 100 %.
    std::smatch isotope;
    if (std::regex_match(fields[13], isotope, std::regex("[0-9]+([A-Za-z]+):([0-9.]+)%"))) {
      EXPECT_EQ(isotope[1], fields[1]);
      EXPECT_LE(std::atof(isotope[2].str().c_str()), 100.0);
    }
  }
}

TEST(DataFileTest, ShellsAddUpAndStatesAreRightAtZeroCelsius) {
  const std::vector<std::string> lines = ShippedLines();
  ASSERT_EQ(lines.size(), 112u);
  const std::set<std::string> gases = {"H",  "N",  "O",  "F",  "Cl", "He",
                                       "Ne", "Ar", "Kr", "Xe", "Rn"};
  for (int z = 1; z <= kElementCount; ++z) {
    ElementRecord fields;
    SplitRecord(lines[z], &fields);
    SCOPED_TRACE(fields[1]);
    // The shell line the report shows, such as K:2､L:8､M:14､N:2､, adds up.
    const std::optional<std::string> shells = ShellText(&fields[kConfigurationColumn]);
    ASSERT_TRUE(shells.has_value());
    int electrons = 0;
    for (size_t colon = shells->find(':'); colon != std::string::npos;
         colon = shells->find(':', colon + 1)) {
      electrons += std::atoi(shells->c_str() + colon + 1);
    }
    EXPECT_EQ(electrons, z);
    const std::string expected = fields[1] == "Hg" || fields[1] == "Br" ? Cp932(" (液)")
                                 : gases.count(fields[1])               ? Cp932(" (気)")
                                                                        : Cp932(" (固)");
    EXPECT_EQ(StateSuffix(fields[kMeltingColumn], fields[kBoilingColumn]), expected);
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
      {"H2O", "3", "18.015", 0},      {"CuSO4.5H2O", "3", "249.677", 10},
      {"Ca(OH)2", "3", "74.092", 10}, {"K4[Fe(CN)6]", "4", "368.3462", 10},
      {"NaCl", "2", "58.44", 0},      {"C6H12O6", "3", "180.156", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    const Outcome outcome = RunCommand(folder, {"/W", c.formula, c.digits});
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_EQ(outcome.clipboard.substr(outcome.clipboard.rfind(' ') + 1), c.weight);
  }
}

// The shipped file saved as an editor or a spreadsheet saves it reads byte
// for byte as the file in CP932: every element report and a few hundred
// formula weights, with their warnings.
TEST(DataFileTest, TheShippedFileReadsAlikeInEveryEncoding) {
  const std::string cp932 = ReadFile(KORVATEX_DATA_FILE);
  const std::string utf8 = Convert(cp932, "CP932", "UTF-8");
  const std::string saved_as[] = {
      utf8,
      "\xEF\xBB\xBF" + utf8,
      "\xFF\xFE" + Convert(utf8, "UTF-8", "UTF-16LE"),
      "\xFE\xFF" + Convert(utf8, "UTF-8", "UTF-16BE"),
  };
  // Every report shows every column of its line: together, every character
  // of the file. The weights come from the same lines.
  std::vector<std::vector<std::string>> requests;
  for (int z = 1; z <= kElementCount; ++z) requests.push_back({std::to_string(z)});
  for (const char* formula : {"H2O", "NaCl", "CuSO4.5H2O", "K4[Fe(CN)6]", "Li2CO3", "TcO2",
                              "Ca(OH)2", "C6H12O6", "[Co(NH3)6]Cl3", "Xx"}) {
    requests.push_back({"/W", formula, "4"});
  }
  ScratchFolder reference;
  reference.Write("KORVATEX.CSV", cp932);
  std::vector<Outcome> expected;
  for (const std::vector<std::string>& request : requests) {
    expected.push_back(RunCommand(reference, request));
  }
  for (const std::string& file : saved_as) {
    SCOPED_TRACE(testing::PrintToString(file.substr(0, 4)));
    ScratchFolder folder;
    folder.Write("KORVATEX.CSV", file);
    for (size_t i = 0; i < requests.size(); ++i) {
      const Outcome outcome = RunCommand(folder, requests[i]);
      ASSERT_EQ(outcome.code, expected[i].code) << requests[i][0];
      ASSERT_EQ(outcome.clipboard, expected[i].clipboard);
      ASSERT_EQ(outcome.message, expected[i].message);
    }
  }
}

// A file edited by hand: blank, missing and moved lines, characters CP932
// lacks, text that is no element data. Each element is weighed and shown
// from its own line; without one, a formula or a report is refused, naming
// the data file and the element, never given a neighbour's values.
TEST(DataFileTest, EditedFilesGiveEachElementItsOwnLine) {
  const auto line = [](int z) { return ElementLine(z, Cp932("名") + std::to_string(z)); };
  // As a spreadsheet writes it, the number quoted, or with blanks around.
  const auto quoted = [&](int z) {
    return "\" \"" + line(z).replace(line(z).find(','), 0, "\"\t");
  };
  const std::string not_data = "<html>\n<body>\n</body>\n</html>\n";
  std::string hangul =
      Convert(DataFile().Line(1, ElementLine(1, Cp932("水素"))).Text(), "CP932", "UTF-8");
  hangul.replace(hangul.find(u8"水"), 3, u8"수");
  const struct {
    std::string data;
    std::vector<std::string> args;
    int code;
    std::string in_clipboard, message_end;  // empty: nothing put on the clipboard / said
  } cases[] = {
      {DataFile().Line(1, "\r\n" + line(1)).Text(), {"/W", "NaCl", "3"}, 0, "28.000", ""},
      {DataFile().Line(1, "\r\n" + line(1)).Text(), {"He"}, 0, Cp932("元素記号 : E2\r\n"), ""},
      {DataFile().Line(5, "").Text(), {"/W", "CO2", "3"}, 0, "22.000", ""},
      {DataFile().Line(5, "").Text(), {"C"}, 0, Cp932("元素記号 : E6\r\n"), ""},
      {DataFile().Line(5, "").Text(),
       {"/W", "BH3", "3"},
       kBadFormula,
       "",
       "に B の原子量がありません。"},
      {DataFile().Line(5, "").Text(), {"5"}, kNoDataFile, "", "に B のデータがありません。"},
      {DataFile().Line(5, ElementLine(0, "x")).Text(),
       {"5"},
       kNoDataFile,
       "",
       "に B のデータがありません。"},
      {DataFile().Line(80, "").Text(), {"Hg"}, kNoDataFile, "", "に Hg のデータがありません。"},
      {DataFile(109).Text(), {"110"}, kNoDataFile, "", "に 110 のデータがありません。"},
      {DataFile(109).Text(), {"109"}, 0, Cp932("名109"), ""},
      {DataFile().Line(11, quoted(12)).Line(12, quoted(11)).Text(),
       {"/W", "NaCl", "3"},
       0,
       "28.000",
       ""},
      {DataFile().Line(11, line(12)).Line(12, line(11)).Text(), {"Mg"}, 0, Cp932("名12"), ""},
      // Four digits at most make a number: "0012" is 12, "00012" none.
      {DataFile().Line(11, "0012" + line(12).substr(2)).Line(12, line(11)).Text(),
       {"Mg"},
       0,
       Cp932("名12"),
       ""},
      {DataFile().Line(11, "00012" + line(12).substr(2)).Line(12, line(11)).Text(),
       {"Mg"},
       kNoDataFile,
       "",
       "に Mg のデータがありません。"},
      {"T\r\n" + line(3) + line(1), {"/W", "LiH", "3"}, 0, "4.000", ""},
      // A number twice: the line in its own place first.
      {DataFile().Line(1, ElementLine(2, "x")).Text(), {"2"}, 0, Cp932("名2"), ""},
      {DataFile(110).Text(), {"/W", "H", "3"}, 0, "1.000", ""},
      {DataFile().Line(1, "x" + line(1).substr(1)).Text(), {"/W", "H2", "3"}, 0, "2.000", ""},
      {DataFile().Line(3, "").Line(110, line(110) + line(3)).Text(), {"Li"}, 0, Cp932("名3"), ""},
      {"", {"/W", "CuSO4.5H2O"}, kBadFormula, "", "に Cu の原子量がありません。"},
      {not_data, {"/W", "NaCl", "2"}, kBadFormula, "", "に Na の原子量がありません。"},
      {"T\r1,H\r2,He\r", {"/W", "H2", "2"}, kBadFormula, "", "に H の原子量がありません。"},
      {"", {"/W", "H2O("}, kBadFormula, "", "に H の原子量がありません。"},
      {DataFile().Text(), {"/W", "H2O("}, kBadFormula, "", "」は、不正な化学式です。"},
      // Saved in UTF-8 with a character CP932 lacks, or marked UTF-8 yet CP932.
      {hangul, {"1"}, 0, Cp932("日本語名 : ?素\r\n"), ""},
      {"\xEF\xBB\xBF" + DataFile().Text(), {"/W", "NaCl", "3"}, 0, "28.000", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : ""));
    ScratchFolder folder;
    folder.Write("KORVATEX.CSV", c.data);
    const Outcome outcome = RunCommand(folder, c.args);
    EXPECT_EQ(outcome.code, c.code);
    if (c.in_clipboard.empty()) {
      EXPECT_EQ(outcome.clipboard, "");
    }
    EXPECT_NE(outcome.clipboard.find(c.in_clipboard), std::string::npos);
    const std::string said = Cp932(c.message_end);
    EXPECT_EQ(outcome.message.substr(outcome.message.size() -
                                     std::min(said.size(), outcome.message.size())),
              said);
    if (c.message_end.rfind("に ", 0) == 0) {
      EXPECT_NE(outcome.message.find(folder.File("KORVATEX.CSV")), std::string::npos);
    }
  }
}

// An element by its Japanese name, its reading in either kana or its English
// name in any case gives the same report as its symbol; anything else keeps
// the symbol's code and message.
TEST(DataFileTest, AnElementByItsName) {
  ScratchFolder folder;
  std::filesystem::copy_file(KORVATEX_DATA_FILE, folder.File("KORVATEX.CSV"));
  const struct {
    const char* argument;
    const char* same_as;  // the symbol; nullptr: code 5, as for an unknown symbol
  } cases[] = {
      {"鉄", "Fe"},       {"てつ", "Fe"},   {"テツ", "Fe"},          {"iron", "Fe"},
      {"IRON", "Fe"},     {"Iron", "Fe"},   {"ｉｒｏｎ", "Fe"},      {"水素", "H"},
      {"シュウソ", "Br"}, {"zinc", "Zn"},   {"fe", nullptr},         {"Iro", nullptr},
      {"すい", nullptr},  {"鉄 ", nullptr}, {"ｔｅｔｓｕ", nullptr}, {"Xron", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.argument);
    const Outcome outcome = RunCommand(folder, {Cp932(c.argument)});
    if (c.same_as == nullptr) {
      EXPECT_EQ(outcome.code, kBadSymbol);
      EXPECT_EQ(outcome.message, Cp932("「") + FoldFullWidth(Cp932(c.argument)) +
                                     Cp932("」は、不正な元素記号です。"));
    } else {
      EXPECT_EQ(outcome.code, 0);
      EXPECT_EQ(outcome.clipboard, RunCommand(folder, {c.same_as}).clipboard);
    }
  }
  // Letters' case is ignored in single bytes only: ア (83 41) is no ヂ (83 61).
  folder.Write("KORVATEX.CSV", DataFile().Line(1, Cp932("1,H,水素,ア,語源,すいそ,1.0\r\n")).Text());
  EXPECT_EQ(RunCommand(folder, {Cp932("ヂ")}).code, kBadSymbol);
  // A line that stops before the reading's column names no element.
  folder.Write("KORVATEX.CSV", DataFile().Line(1, Cp932("1,H,水素,Hydrogen,語源\r\n")).Text());
  EXPECT_EQ(RunCommand(folder, {Cp932("水素")}).code, kBadSymbol);
}

}  // namespace
