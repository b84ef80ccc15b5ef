#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/command_main.h"
#include "main/messages.h"
#include "test_support.h"

namespace {

// The test data file with the weights of H, Li, O, S, Cu and Tc.
DataFile WithWeights() {
  DataFile data;
  data.Weight(1, "1.00794").Weight(3, "-6.941").Weight(8, "15.9994");
  data.Weight(16, "32.065").Weight(29, "63.546").Weight(43, "[98]");
  return data;
}

// A settings file whose line 4 gives the digits and line 9 the data file.
std::string Settings(const std::string& digits, const std::string& data_line = "-") {
  return "[Korvatex]\nTop=1\nLeft=2\nDigits=" + digits + "\nA=1\nB=\nC=3\n\n" + data_line + "\n";
}

int Weigh(const ScratchFolder& folder, RecordingPlatform& platform, std::vector<std::string> args) {
  args.insert(args.begin(), "/W");
  return RunCommand(folder, std::move(args), platform).code;
}

std::string Caption(const std::string& text) { return Cp932("分子量・式量計算|") + text; }

// What differs from a working setup: the data file is missing, or the
// clipboard refuses the result.
enum Condition { kNormal, kDataFileMissing, kClipboardRefuses };

TEST(MolweighTest, SettlesDigitsWeighsAndWarns) {
  const std::string h499(499, 'H'), h500(500, 'H');
  const std::string kUncertain4 = Cp932("小数点以下 ４ 桁では、不確かな数値が出ます。");
  const struct {
    std::vector<std::string> args;  // formula [digits]
    const char* settings_digits;    // nullptr: no settings file
    Condition condition;
    int code;
    const char* weight;   // nullptr: nothing put on the clipboard
    std::string message;  // empty: only the caption is checked
  } cases[] = {
      {{"CuSO4.5H2O"}, "2", kNormal, kSuccess, "249.71", ""},
      {{"CuSO4.5H2O", "4"}, nullptr, kNormal, kUncertainDigits, "249.6846", kUncertain4},
      {{"CuSO4.5H2O"},
       "4",
       kNormal,
       kUncertainDigits,
       "249.6846",
       Cp932("小数点以下４桁では、不確かな数値が出ます。")},
      {{"H2O"},
       nullptr,
       kNormal,
       kUncertainDigits,
       "18.0152798",
       Cp932("小数点以下７桁では、不確かな数値が出ます。")},
      {{"H2O", "8"},
       nullptr,
       kNormal,
       kDigitsOutOfRange,
       nullptr,
       Cp932("小数点以下の桁数は、０から７までです。")},
      {{"H2O", "-1"}, "2", kNormal, kDigitsOutOfRange, nullptr, ""},
      {{"H2O", "07"}, nullptr, kNormal, kUncertainDigits, "18.0152798", ""},
      {{"H2O", "3x"}, nullptr, kNormal, kSuccess, "18.015", ""},
      {{"H2O", "abc"}, nullptr, kNormal, kSuccess, "18", ""},
      {{"H2O"}, "9", kNormal, kDigitsOutOfRange, nullptr, ""},
      {{"H2O", "8"}, nullptr, kDataFileMissing, kDigitsOutOfRange, nullptr, ""},
      {{"H2O", "3"}, nullptr, kDataFileMissing, kNoDataFile, nullptr, ""},
      {{"Li", "3"},
       nullptr,
       kNormal,
       kContainsLithium,
       "6.941",
       Cp932("この化学式はリチウムを含んでいます。")},
      {{"LiTcH", "2"},
       nullptr,
       kNormal,
       kUnstableIsotope,
       "105.95",
       Cp932("化学式「LiTcH」には、不安定な同位体が含まれています。")},
      {{"LiTcH", "2"},
       nullptr,
       kClipboardRefuses,
       kNoClipboard,
       nullptr,
       Cp932("クリップボードが使えません。")},
      {{"h2o", "4"},
       nullptr,
       kNormal,
       kBadFormula,
       nullptr,
       Cp932("「h2o」は、不正な化学式です。")},
      {{"H99999999999999999999999999999999999999999", "4"},
       nullptr,
       kNormal,
       kBadFormula,
       nullptr,
       ""},
      {{h499, "0"}, nullptr, kNormal, kSuccess, "499", ""},
      {{h500, "0"}, nullptr, kNormal, kBadFormula, nullptr, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0].substr(0, 20) + (c.args.size() > 1 ? " " + c.args[1] : ""));
    ScratchFolder folder;
    if (c.settings_digits != nullptr) folder.Write("KORVATEX.INI", Settings(c.settings_digits));
    if (c.condition != kDataFileMissing) folder.Write("KORVATEX.CSV", WithWeights().Text());
    RecordingPlatform platform;
    platform.hand_over_works = c.condition != kClipboardRefuses;
    EXPECT_EQ(Weigh(folder, platform, c.args), c.code);
    if (c.weight != nullptr) {
      EXPECT_EQ(platform.clipboard,
                Cp932("化学式：") + c.args[0] + Cp932("\t分子量・式量＝ ") + c.weight);
    } else {
      EXPECT_FALSE(platform.clipboard_set);
    }
    ASSERT_EQ(platform.messages.size(), c.code == kSuccess ? 0u : 1u);
    if (c.code == kSuccess) continue;
    EXPECT_EQ(platform.messages[0].rfind(Caption(""), 0), 0u) << platform.messages[0];
    if (!c.message.empty()) {
      EXPECT_EQ(platform.messages[0], Caption(c.message));
    }
  }
}

TEST(MolweighTest, WritesTheFoldedFormulaAndWeight) {
  const struct {
    std::string formula, digits, line;
  } cases[] = {
      {"CuSO4.5H2O", "2", Cp932("化学式：CuSO4.5H2O\t分子量・式量＝ 249.71")},
      {Cp932("Ｈ２Ｏ．Ｏ"), "4", Cp932("化学式：H2O.O\t分子量・式量＝ 34.0146")},
      {Cp932("CuSO4・5H2O"), "0",
       Cp932("化学式：CuSO4\xA5"
             "5H2O\t分子量・式量＝ 250")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    ScratchFolder folder;
    folder.Write("KORVATEX.CSV", WithWeights().Text());
    RecordingPlatform platform;
    EXPECT_EQ(Weigh(folder, platform, {c.formula, c.digits}), 0);
    EXPECT_EQ(platform.clipboard, c.line);
  }
}

TEST(MolweighTest, LongDataLineDoesNotShiftLaterElements) {
  ScratchFolder folder;
  const std::string data = folder.Write("elements.csv", WithWeights().PadLine(3, 1000).Text());
  const std::string text = ReadFile(data);
  size_t lithium = 0;  // after the title, H and He
  for (int i = 0; i < 3; ++i) lithium = text.find('\n', lithium) + 1;
  ASSERT_EQ(text.find('\n', lithium) + 1 - lithium, 1000u);
  folder.Write("KORVATEX.INI", Settings("4", "Data=" + data));
  const struct {
    const char* formula;
    int code;
    const char* weight;
  } cases[] = {
      {"O", kSuccess, "15.9994"},
      {"Li", kContainsLithium, "6.9410"},
      {"Be", kUncertainDigits, "4.0000"},
      {"CuO", kUncertainDigits, "79.5454"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    RecordingPlatform platform;
    EXPECT_EQ(Weigh(folder, platform, {c.formula}), c.code);
    EXPECT_EQ(platform.clipboard,
              std::string(Cp932("化学式：")) + c.formula + Cp932("\t分子量・式量＝ ") + c.weight);
  }
}

}  // namespace
