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
      {"Fe", 0, 25},
      {"26", 0, 25},
      {"H", 0, 0},
      {"Mt", 0, 108},
      {"110", 0, 109},
      {"111", 0, 110},
      {"+8", 0, 7},
      {" 8", 0, 7},
      {"8x", 0, 7},
      {"12abc", 0, 11},
      {"fe", 5, -1},
      {"FE", 5, -1},
      {"0", 6, -1},
      {"112", 6, -1},
      {"-1", 5, -1},
      {"", 5, -1},
      {"99999999999999999999", 6, -1},
      {"-99999999999999999999", 5, -1},
      {"Hg", 0, 79},
      {"Fe2", 5, -1},
      {"M", 5, -1},
      {"Ds", 5, -1},
      {Cp932("Ｆｅ"), 5, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Korvatex korvatex({folder.ProgramPath()}, c.text);
    EXPECT_EQ(korvatex.ResultCode, c.code);
    if (c.code == 0) {
      EXPECT_EQ(korvatex.ElementIndex, c.index);
    }
  }
}

TEST(KorvatexTest, BadElementOutranksMissingDataFile) {
  ScratchFolder folder;
  const struct {
    const char* text;
    int code;
  } cases[] = {
      {"Fe", 4}, {"111", 4}, {"Xx", 5}, {"-3", 5}, {"0", 6}, {"200", 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Korvatex({folder.ProgramPath()}, c.text).ResultCode, c.code);
  }
}

// An empty data file has no titles to show and is reported like a missing one.
TEST(KorvatexTest, RunsThroughCommandMain) {
  const std::string all = DataFile().Text();
  const struct {
    std::string data;
    const char* argument;
    bool hand_over_works;
    int code;
    std::string shown;
  } cases[] = {
      {all, "H", true, 0, Cp932("原子番号 : 1\r\n")},
      {all, "Fe", true, 0, Cp932("原子番号 : 26\r\n")},
      {all, "111", true, 0, Cp932("原子番号 : 111\r\n")},
      {DataFile(49).Text(), "61", true, 0, Cp932("原子番号 : 49\r\n")},
      {DataFile(0).Text(), "H", true, 0, Cp932("原子番号 : 原子番号\r\n")},
      {Fields("t", 30) + Fields("v", 30), "1", true, 0, "t29 : v29\r\n"},
      {Fields("t", 31) + Fields("v", 31), "1", true, 7, ""},
      {"", "Fe", true, 4, ""},
      {all, "Fe", false, 8, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.argument << " -> " << c.code);
    ScratchFolder folder;
    folder.Write("KORVATEX.CSV", c.data);
    RecordingPlatform platform;
    platform.hand_over_works = c.hand_over_works;
    EXPECT_EQ(RunCommand(folder, {c.argument}, platform).code, c.code);
    EXPECT_EQ(platform.clipboard_set, c.code == 0);
    EXPECT_EQ(ClipboardWritten(platform), c.code == 0 || c.code == 8);
    if (c.code == 0) {
      EXPECT_NE(platform.clipboard.find(c.shown), std::string::npos) << platform.clipboard;
    }
  }
}

}  // namespace
