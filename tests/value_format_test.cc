#include "element/value_format.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"
#include "text/numbers.h"

namespace {

TEST(ValueFormatTest, TemperaturesAreBroughtToTheSamePlaces) {
  const struct {
    double celsius;
    int n;
    std::string kelvin;
    std::string fahrenheit;
  } cases[] = {
      {1064.18, 2, "1337.33", "1947.52"},
      {-38.83, 2, "234.32", "-37.89"},
      {356.73, 2, "629.88", "674.11"},
      {-259.14, 2, "14.01", "-434.45"},
      {1535, 0, "1808", "2795"},
      {100, 0, "373", "212"},
      {2.5, 1, "275.7", "36.5"},
      {-0.5, 1, "272.7", "31.1"},
      {0, 0, "273", "32"},
      {0, 1, "273.2", "32.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.celsius << " at " << c.n);
    EXPECT_EQ(FormatFixed(static_cast<double>(CelsiusToKelvin(c.celsius, c.n)), c.n), c.kelvin);
    EXPECT_EQ(FormatFixed(static_cast<double>(CelsiusToFahrenheit(c.celsius, c.n)), c.n),
              c.fahrenheit);
  }
}

TEST(ValueFormatTest, CountDecimalsCountsCharactersAfterThePoint) {
  const struct {
    std::string text;
    int expected;
  } cases[] = {
      {"1064.18", 2}, {"1535", 0},  {"5.", 0}, {Cp932("2.5 (加圧)"), 6},
      {"-", 0},       {"1.5e3", 3}, {"", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CountDecimals(c.text), c.expected);
  }
}

TEST(ValueFormatTest, FirstNotInSetFindsWhereTheNumberEnds) {
  constexpr size_t kNone = std::string::npos;
  const struct {
    std::string text;
    size_t expected;
  } cases[] = {
      {"-38.83", kNone},   {Cp932("615 (昇華)"), 3},
      {"", kNone},         {"+", kNone},
      {"1e3", 1},          {"(1000)", 0},
      {Cp932("約100"), 0}, {Cp932("Ｆｅ"), 0},
      {Cp932("12０"), 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FirstNotInSet(c.text, "1234567890.-+"), c.expected);
  }
}

TEST(ValueFormatTest, RepunctuateFollowsEveryPieceWithTheJoiner) {
  const std::string ideographic_comma = Cp932("、"), half_width_comma = Cp932("､");
  const std::vector<std::string_view> commas = {ideographic_comma, half_width_comma};
  const std::vector<std::string_view> points = {"."};
  const struct {
    std::string source;
    const std::vector<std::string_view>* separators;
    std::string joiner;
    std::string expected;
  } cases[] = {
      {Cp932("[Ar]3d10、4s2"), &commas, ".", "[Ar]3d10.4s2."},
      {Cp932("[Ar]、3d10､4s2"), &commas, ".", "[Ar].3d10.4s2."},
      {"1s2", &commas, ".", "1s2."},
      {Cp932("a、、b、"), &commas, ".", "a.b."},
      {Cp932("、a"), &commas, ".", Cp932("、a.")},
      {"", &commas, ".", "."},
      {Cp932("、､"), &commas, ".", Cp932("、､.")},
      {"[Ar].3d10.4s2.", &points, Cp932("､"), Cp932("[Ar]､3d10､4s2､")},
      // う is 0x82 0xA4: its second byte is no half-width comma.
      {Cp932("きゅう、a"), &commas, ".", Cp932("きゅう.a.")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(Repunctuate(c.source, *c.separators, c.joiner), c.expected);
  }
}

TEST(ValueFormatTest, ShellTextAddsTermsToTheirShells) {
  const struct {
    std::string configuration;
    std::string expected;
  } cases[] = {
      {"1s1", Cp932("K:1､")},
      {"[He]2s1", Cp932("K:2､L:1､")},
      {Cp932("[Ne]3s2、3p6"), Cp932("K:2､L:8､M:8､")},
      {Cp932("[Ar]3d10、4s2、4p1"), Cp932("K:2､L:8､M:18､N:3､")},
      {Cp932("[Kr]4d10、5s2、5p6"), Cp932("K:2､L:8､M:18､N:18､O:8､")},
      {Cp932("[Xe]4f14、5d10、6s2、6p2"), Cp932("K:2､L:8､M:18､N:32､O:18､P:4､")},
      {Cp932("[Rn]5f14、6d7、7s2"), Cp932("K:2､L:8､M:18､N:32､O:32､P:15､Q:2､")},
      {Cp932("3d5､4s1"), Cp932("K:0､M:5､N:1､")},
      {"", Cp932("K:0､")},
      {"[Ar]", Cp932("K:2､L:8､M:8､")},
      {Cp932("[Ar]、8s2、0s5"), Cp932("K:2､L:8､M:8､")},
      // A term of digits alone is both its shell and its count.
      {Cp932("1s2、3"), Cp932("K:2､M:3､")},
      {"[Xe]4f14.5d10.6s2.", Cp932("K:2､L:8､M:18､N:32､O:18､P:2､")},
      {Cp932("［Ａｒ］３ｄ１０、４ｓ２"), Cp932("K:2､L:8､M:18､N:2､")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.configuration);
    std::string configuration = c.configuration;
    const std::optional<std::string> text = ShellText(&configuration);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, c.expected);
  }
  for (const char* dash : {"-", "-1s1"}) {
    std::string configuration = dash;
    EXPECT_FALSE(ShellText(&configuration).has_value()) << dash;
  }
}

TEST(ValueFormatTest, ParseShellsRewritesTheConfigurationItParses) {
  ShellCounts counts{99, 99, 99, 99, 99, 99, 99};
  std::string configuration = "-";
  EXPECT_FALSE(ParseShells(&counts, &configuration));
  EXPECT_EQ(counts, (ShellCounts{99, 99, 99, 99, 99, 99, 99}));
  configuration = Cp932("[Ar]、3d10､4s2");
  ASSERT_TRUE(ParseShells(&counts, &configuration));
  EXPECT_EQ(configuration, "[Ar]3d10.4s2.");
  EXPECT_EQ(counts, (ShellCounts{2, 8, 18, 2, 0, 0, 0}));
}

}  // namespace
