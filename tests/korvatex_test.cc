#include "element/korvatex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "main/command_main.h"
#include "test_support.h"

namespace {

// A line of `count` fields named `prefix`0, `prefix`1, ...
std::string Fields(const std::string& prefix, int count) {
  std::string line;
  for (int i = 0; i < count; ++i) line += (i ? "," : "") + prefix + std::to_string(i);
  return line + "\r\n";
}

bool ClipboardWritten(const RecordingPlatform& platform) {
  return std::any_of(platform.calls.begin(), platform.calls.end(),
                     [](const std::string& call) { return call.rfind("set:", 0) == 0; });
}

TEST(KorvatexTest, ResolvesSymbolsAndAtomicNumbers) {
  ScratchFolder folder;
  folder.Write("KORVATEX.CSV", DataFile().Text());
  const struct {
    std::string text;
    int code;
    int index;
  } cases[] = {
      {"Fe", kSuccess, 25},
      {"26", kSuccess, 25},
      {"H", kSuccess, 0},
      {"Mt", kSuccess, 108},
      {"110", kSuccess, 109},
      {"111", kSuccess, 110},
      {"+8", kSuccess, 7},
      {" 8", kSuccess, 7},
      {"8x", kSuccess, 7},
      {"12abc", kSuccess, 11},
      {"fe", kBadSymbol, -1},
      {"FE", kBadSymbol, -1},
      {"0", kBadAtomicNumber, -1},
      {"112", kBadAtomicNumber, -1},
      {"-1", kBadSymbol, -1},
      {"", kBadSymbol, -1},
      {"99999999999999999999", kBadAtomicNumber, -1},
      {"-99999999999999999999", kBadSymbol, -1},
      {"Hg", kSuccess, 79},
      {"Fe2", kBadSymbol, -1},
      {"M", kBadSymbol, -1},
      {"Ds", kBadSymbol, -1},
      {Cp932("Ｆｅ"), kBadSymbol, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Korvatex korvatex({folder.ProgramPath()}, c.text);
    EXPECT_EQ(korvatex.ResultCode, c.code);
    if (c.code == kSuccess) {
      EXPECT_EQ(korvatex.ElementIndex, c.index);
    }
  }
}

// A text that cannot be an element outranks a missing data file; one that
// may be an element's name does not.
TEST(KorvatexTest, BadElementOutranksMissingDataFile) {
  ScratchFolder folder;
  const struct {
    const char* text;
    int code;
  } cases[] = {
      {"Fe", kNoDataFile},
      {"111", kNoDataFile},
      {"-3", kBadSymbol},
      {"", kBadSymbol},
      {"0", kBadAtomicNumber},
      {"200", kBadAtomicNumber},
      // One or two ASCII letters are no name: a wrong symbol.
      {"Xx", kBadSymbol},
      {"fe", kBadSymbol},
      {"Ds", kBadSymbol},
      {"X", kBadSymbol},
      // Only the data file could tell a name from a wrong symbol.
      {"Xyz", kNoDataFile},
      {"\x93\x53", kNoDataFile},  // 鉄
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Korvatex({folder.ProgramPath()}, c.text).ResultCode, c.code);
  }
}

// An empty data file, or one of its title line alone, has no element to
// show and is reported like a missing one.
TEST(KorvatexTest, RunsThroughCommandMain) {
  const std::string all = DataFile().Text();
  const struct {
    std::string data;
    const char* argument;
    bool hand_over_works;
    int code;
    std::string shown;
  } cases[] = {
      {all, "H", true, kSuccess, Cp932("原子番号 : 1\r\n")},
      {all, "Fe", true, kSuccess, Cp932("原子番号 : 26\r\n")},
      {all, "111", true, kSuccess, Cp932("原子番号 : 111\r\n")},
      {DataFile(49).Text(), "61", true, kNoDataFile, ""},       // numbered, and ends before 61
      {DataFile(0).Text(), "H", true, kNoDataFile, ""},         // the title line alone
      {DataFile(0).Text(), "\x93\x53", true, kNoDataFile, ""},  // 鉄
      {DataFile(0).Text(), "Xx", true, kBadSymbol, ""},
      // Lines numbered nowhere are taken by position; the last stands in.
      {"T\r\nx,a\r\ny,b\r\n", "1", true, kSuccess, "T : x\r\n"},
      {"T\r\nx,a\r\ny,b\r\n", "5", true, kSuccess, "T : y\r\n"},
      {Fields("t", 30) + Fields("v", 30), "1", true, kSuccess, "t29 : v29\r\n"},
      {Fields("t", 31) + Fields("v", 31), "1", true, kTooManyItems, ""},
      {"", "Fe", true, kNoDataFile, ""},
      {"", "iron", true, kNoDataFile, ""},
      {all, "Fe", false, kNoClipboard, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.argument << " -> " << c.code);
    ScratchFolder folder;
    folder.Write("KORVATEX.CSV", c.data);
    RecordingPlatform platform;
    platform.hand_over_works = c.hand_over_works;
    EXPECT_EQ(RunCommand(folder, {c.argument}, platform).code, c.code);
    EXPECT_EQ(platform.clipboard_set, c.code == kSuccess);
    EXPECT_EQ(ClipboardWritten(platform), c.code == kSuccess || c.code == kNoClipboard);
    if (c.code == kSuccess) {
      EXPECT_NE(platform.clipboard.find(c.shown), std::string::npos) << platform.clipboard;
    }
  }
}

}  // namespace
