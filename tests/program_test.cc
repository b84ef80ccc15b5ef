// End-to-end runs of the built program, its clipboard pointed at a file
// through KORVATEX_CLIPBOARD.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "test_support.h"

namespace {

struct Outcome {
  int status;
  std::string clipboard;  // UTF-8, as the clipboard tool received it
  std::string error;      // standard error, UTF-8
};

// Runs the program installed at `program` with `args` (UTF-8), in an
// environment of `env` assignments.
Outcome RunProgram(const ScratchFolder& folder, const std::string& program,
                   const std::string& args, const std::string& env) {
  const std::string clipboard = folder.File("clipboard.txt");
  const std::string error = folder.File("stderr.txt");
  std::remove(clipboard.c_str());
  const std::string command = "env -i PATH=/usr/bin:/bin LANG=C.UTF-8 " + env + " '" + program +
                              "' " + args + " 2>'" + error + "' </dev/null";
  const int status = std::system(command.c_str());
  return {WEXITSTATUS(status), ReadFile(clipboard), ReadFile(error)};
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(KORVATEX_PROGRAM, program_);
    std::filesystem::copy_file(KORVATEX_DATA_FILE, folder_.File("KORVATEX.CSV"));
  }
  Outcome Run(const std::string& args) {
    return RunProgram(folder_, program_, args,
                      "KORVATEX_CLIPBOARD='cat > " + folder_.File("clipboard.txt") + "'");
  }

  ScratchFolder folder_;
  std::string program_ = folder_.File("korvatex");
};

TEST_F(ProgramTest, ElementReportReachesTheClipboardAsUtf8) {
  const Outcome fe = Run("Fe");
  EXPECT_EQ(fe.status, 0);
  EXPECT_EQ(fe.error, "");
  EXPECT_EQ(fe.clipboard.rfind(u8"原子番号 : 26\r\n元素記号 : Fe\r\n日本語名 : 鉄\r\n", 0), 0u);
  EXPECT_NE(fe.clipboard.find(u8"電子配置 : [Ar]3d6､4s2､\r\n\t→ K:2､L:8､M:14､N:2､\r\n"),
            std::string::npos);
  EXPECT_EQ(Run(u8"２６").clipboard, fe.clipboard);
  EXPECT_NE(Run("Hg").clipboard.find(u8"単体の融点（℃／Ｋ／ﾟＦ) : -38.83／234.32／-37.89\r\n"),
            std::string::npos);
}

TEST_F(ProgramTest, FormulaWeightAndItsWarning) {
  const Outcome two = Run("/W CuSO4.5H2O 2");
  EXPECT_EQ(two.status, 0);
  EXPECT_EQ(two.clipboard, u8"化学式：CuSO4.5H2O\t分子量・式量＝ 249.71");
  const Outcome full_width = Run(u8"/W ＣｕＳＯ４・５Ｈ２Ｏ ２");
  EXPECT_EQ(full_width.clipboard, u8"化学式：CuSO4･5H2O\t分子量・式量＝ 249.71");
  const Outcome seven = Run("/W H2O");
  EXPECT_EQ(seven.status, 10);
  EXPECT_EQ(seven.error, u8"分子量・式量計算: 小数点以下７桁では、不確かな数値が出ます。\n");
  EXPECT_EQ(Run("/W Li2CO3 2").status, 12);
  EXPECT_EQ(Run("/W TcO2 0").status, 13);
}

TEST_F(ProgramTest, FailuresLeaveTheClipboardEmpty) {
  const struct {
    const char* args;
    int status;
    const char* error;
  } cases[] = {
      {"", 2, u8"元素データ表示 Ver.7.20: パラメータが足りません。\n"},
      {"/X", 3, u8"元素データ表示 Ver.7.20: パラメータが不正です。\n"},
      {"Xx", 5, u8"元素データ表示 Ver.7.20: 「Xx」は、不正な元素記号です。\n"},
      {"0", 6, u8"元素データ表示 Ver.7.20: 「0」は、不正な原子番号です。\n"},
      {"/W h2o", 9, u8"分子量・式量計算: 「h2o」は、不正な化学式です。\n"},
      {"/W H2O 8", 11, u8"分子量・式量計算: 小数点以下の桁数は、０から７までです。\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const Outcome outcome = Run(c.args);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.error, c.error);
    EXPECT_EQ(outcome.clipboard, "");  // emptied: the tool ran with no input
  }
}

TEST_F(ProgramTest, StartedWithTheStandardStreamsClosedTheResultStillArrives) {
  const std::string clipboard = folder_.File("clipboard.txt");
  const std::string command = "env -i PATH=/usr/bin:/bin LANG=C.UTF-8 KORVATEX_CLIPBOARD='cat > " +
                              clipboard + "' '" + program_ + "' Fe 0<&- 1>&- 2>&-";
  const int status = std::system(command.c_str());
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile(clipboard).rfind(u8"原子番号 : 26\r\n元素記号 : Fe\r\n", 0), 0u);
}

TEST_F(ProgramTest, FilesAreFoundBesideTheRealProgramThroughASymlink) {
  ScratchFolder elsewhere;
  const std::string link = elsewhere.File("korvatex");
  ASSERT_EQ(symlink(program_.c_str(), link.c_str()), 0);
  const Outcome outcome = RunProgram(
      folder_, link, "/W H2O 3", "KORVATEX_CLIPBOARD='cat > " + folder_.File("clipboard.txt") + "'");
  EXPECT_EQ(outcome.clipboard, u8"化学式：H2O\t分子量・式量＝ 18.015");
}

TEST_F(ProgramTest, WithoutAnyClipboardToolTheUserIsToldWhatToInstall) {
  const Outcome outcome = RunProgram(folder_, program_, "Fe", "");
  EXPECT_EQ(outcome.status, 8);
  EXPECT_EQ(outcome.error.rfind(u8"元素データ表示 Ver.7.20: クリップボードが使えません。\n", 0), 0u);
  EXPECT_NE(outcome.error.find("xclip"), std::string::npos);
  EXPECT_NE(outcome.error.find("KORVATEX_CLIPBOARD"), std::string::npos);
}

TEST_F(ProgramTest, HelpRunsXdgOpenOnTheHelpFile) {
  const std::string bin = folder_.File("bin");
  ASSERT_EQ(mkdir(bin.c_str(), 0700), 0);
  folder_.Write("bin/xdg-open", "#!/bin/sh\necho \"$1\" > '" + folder_.File("opened") + "'\n");
  ASSERT_EQ(chmod((bin + "/xdg-open").c_str(), 0700), 0);
  const Outcome outcome =
      RunProgram(folder_, program_, "/?",
                 "PATH=" + bin + ":/usr/bin:/bin KORVATEX_CLIPBOARD='cat > /dev/null'");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.error, "");
  EXPECT_EQ(ReadFile(folder_.File("opened")), folder_.File("KORVATEX.CHM") + "\n");
}

}  // namespace
