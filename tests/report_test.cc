#include "element/report.h"

#include <gtest/gtest.h>

#include <string>

#include "main/command_main.h"
#include "test_support.h"

namespace {

const std::string kTitles = Cp932(
    "原子番号,元素記号,日本語名,英語名,語源,よみがな,原子量,族,周期,電子配置,酸化数,"
    "電気陰性度,原子半径,天然存在比,単体の融点,単体の沸点,単体の密度,備考\r\n");
const std::string kMercury = Fixture("mercury.csv");
const std::string kMercuryReport = Fixture("mercury-report.txt");

ElementRecord Split(std::string_view line) {
  ElementRecord record;
  SplitRecord(line, &record);
  return record;
}

// The first `count` CR LF lines of `text`.
std::string FirstLines(const std::string& text, int count) {
  size_t end = 0;
  for (int i = 0; i < count; ++i) end = text.find("\r\n", end) + 2;
  return text.substr(0, end);
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(ReportTest, StateSuffixComparesIntegerPartsWithZero) {
  const struct {
    std::string melting;
    std::string boiling;
    std::string expected;
  } cases[] = {
      {"-38.83", "356.73", Cp932(" (液)")},
      {"29.76", "2204", Cp932(" (固)")},
      {"-218.79", "-182.96", Cp932(" (気)")},
      {"0.5", "2", Cp932(" (液)")},
      {"1.5", "3", Cp932(" (固)")},  // the smallest integer part above zero
      {"-5", "1.5", Cp932(" (液)")},
      {"-5", "0.9", Cp932(" (気)")},  // a boiling point whose integer part is zero
      {"-", "-", Cp932(" (固)")},
      {"-5", "-5.9", Cp932(" (固)")},
      {"0", "-10", Cp932(" (気)")},
      {"", "", Cp932(" (固)")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.melting << " / " << c.boiling);
    EXPECT_EQ(StateSuffix(c.melting, c.boiling), c.expected);
  }
}

TEST(ReportTest, TemperatureTextShowsThreeScales) {
  const struct {
    std::string celsius;
    std::string expected;
  } cases[] = {
      {"1535", Cp932("1535／1808／2795")},
      {"2.5", Cp932("2.5／275.7／36.5")},
      {"-38.83", Cp932("-38.83／234.32／-37.89")},
      {Cp932("615 (昇華)"), Cp932("615 (昇華)／888 (昇華)／1139 (昇華)")},
      {Cp932("2.5 (加圧)"), Cp932("2.5 (加圧)／275.650000 (加圧)／36.500000 (加圧)")},
      {"100 %d", Cp932("100 %d／373 %d／212 %d")},
      {"-", "-"},
      {"", Cp932("／273／32")},
      {"(1000)", "(1000)"},
      {Cp932("約1000"), Cp932("約1000")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.celsius);
    EXPECT_EQ(TemperatureText(c.celsius), c.expected);
  }
}

TEST(ReportTest, ComposesTheMercuryReport) {
  const ElementRecord titles = Split(kTitles);
  ASSERT_EQ(titles.size(), 18u);
  EXPECT_EQ(ComposeReport(titles, 18, Split(kMercury)), kMercuryReport);
}

TEST(ReportTest, ShowsOnlyTheColumnsOfTheTitleLine) {
  const struct {
    int columns;
    int lines;
  } cases[] = {
      {5, 5}, {6, 5}, {9, 8}, {10, 10}, {14, 14}, {15, 15}, {16, 16}, {17, 17},
  };
  const ElementRecord titles = Split(kTitles);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.columns);
    EXPECT_EQ(ComposeReport(titles, c.columns, Split(kMercury)),
              FirstLines(kMercuryReport, c.lines));
  }
}

TEST(ReportTest, ShortElementLineShowsEmptyValues) {
  const std::string report = ComposeReport(Split(kTitles), 18, Split(Cp932("80,Hg,水銀")));
  EXPECT_EQ(FirstLines(report, 4),
            Cp932("原子番号 : 80\r\n元素記号 : Hg\r\n日本語名 : 水銀\r\n英語名 : \r\n"));
  EXPECT_NE(report.find(Cp932("単体の融点（℃／Ｋ／ﾟＦ) : ／273／32\r\n")), std::string::npos);
  EXPECT_TRUE(EndsWith(report, Cp932("単体の密度 : \r\n備考 : \r\n"))) << report;
}

TEST(ReportTest, ConfigurationLineAndShellLine) {
  const struct {
    std::string configuration;
    std::string expected;
  } cases[] = {
      {"-", "-\r\n"},
      {"1s1", Cp932("1s1､\r\n\t→ K:1､\r\n")},
      {Cp932("[Ar]3d10、4s2"), Cp932("[Ar]3d10､4s2､\r\n\t→ K:2､L:8､M:18､N:2､\r\n")},
      {Cp932("[Ar]、3d10、4s2"), Cp932("[Ar]3d10､4s2､\r\n\t→ K:2､L:8､M:18､N:2､\r\n")},
      {Cp932("［Ａｒ］３ｄ１０、４ｓ２"),
       Cp932("［Ａｒ］３ｄ１０､４ｓ２､\r\n\t→ K:2､L:8､M:18､N:2､\r\n")},
  };
  const ElementRecord titles = Split(Cp932("a,b,c,d,e,f,g,h,i,電子配置"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.configuration);
    ElementRecord element(10);
    element[9] = c.configuration;
    const std::string report = ComposeReport(titles, 10, element);
    EXPECT_TRUE(EndsWith(report, std::string(Cp932("i : \r\n電子配置 : ")) + c.expected)) << report;
  }
}

TEST(ReportTest, MercuryThroughCommandMain) {
  ScratchFolder folder;
  folder.Write("KORVATEX.CSV", DataFile().Line(80, kMercury).Text());
  const Outcome outcome = RunCommand(folder, {"Hg"});
  EXPECT_EQ(outcome.code, 0);
  EXPECT_TRUE(outcome.clipboard_set);
  EXPECT_EQ(outcome.clipboard, kMercuryReport);
  EXPECT_TRUE(outcome.message.empty());
}

}  // namespace
