#include "main/command_main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <new>

#include "main/messages.h"
#include "test_support.h"

namespace {

using Calls = std::vector<std::string>;

class CommandMainTest : public ::testing::Test {
 protected:
  // Runs CommandMain on the program path and `args`.
  int Main(std::vector<std::string> args) {
    return RunCommand(folder, std::move(args), platform).code;
  }
  std::string Title(const std::string& text) { return TitleCaption() + "|" + text; }

  ScratchFolder folder;
  RecordingPlatform platform;
};

TEST_F(CommandMainTest, NoArgumentEmptiesTheClipboardAndComplains) {
  EXPECT_EQ(Main({}), kTooFewParameters);
  EXPECT_EQ(platform.calls, (Calls{"open", "empty", "close", "message"}));
  EXPECT_EQ(platform.messages, (Calls{Title(Cp932("パラメータが足りません。"))}));
  EXPECT_EQ(platform.icons, (std::vector<MessageIcon>{MessageIcon::kWarning}));
}

TEST_F(CommandMainTest, HelpOpensTheHelpFileBesideTheProgram) {
  EXPECT_EQ(Main({"/?"}), kHelpOpened);
  EXPECT_EQ(platform.calls,
            (Calls{"view:" + folder.File("KORVATEX.CHM"), "open", "empty", "close"}));
}

// A clipboard that fails replaces the help's code and a missing argument's,
// and no command runs. Where its failure does not end the run (a desktop
// without its clipboard tool), it hides no answer: an error keeps its own
// code, a result is handed over (to be shown) and reported as not copied,
// and the help, opened all the same, reports the clipboard.
TEST_F(CommandMainTest, ClipboardFailureEndingTheRunOrNot) {
  folder.Write("KORVATEX.CSV", DataFile().Text());
  const struct {
    bool ends_run;
    std::vector<std::string> args;
    int code;
    bool handed_over;
  } cases[] = {
      {true, {"/?"}, kNoClipboard, false},
      {true, {}, kNoClipboard, false},
      {true, {"Fe"}, kNoClipboard, false},  // no command object is made
      {false, {"/?"}, kNoClipboard, false},
      {false, {}, kTooFewParameters, false},
      {false, {"Xx"}, kBadSymbol, false},
      {false, {"/W", "H2O", "9"}, kDigitsOutOfRange, false},
      {false, {"Fe"}, kNoClipboard, true},
      {false, {"/W", "H2O", "7"}, kNoClipboard, true},  // a warning's result too
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ends_run << " " << c.args.size() << " " << c.code);
    RecordingPlatform fresh;
    platform = fresh;
    platform.clipboard_works = false;
    platform.failure_ends_run = c.ends_run;
    platform.hand_over_works = false;
    EXPECT_EQ(Main(c.args), c.code);
    EXPECT_EQ(platform.opened.size(), c.args == std::vector<std::string>{"/?"} ? 1U : 0U);
    const bool set =
        std::any_of(platform.calls.begin(), platform.calls.end(),
                    [](const std::string& call) { return call.rfind("set:", 0) == 0; });
    EXPECT_EQ(set, c.handed_over);
    ASSERT_EQ(platform.messages.size(), 1U);
    const bool clipboard_message =
        platform.messages[0].find(Cp932("クリップボードが使えません。")) != std::string::npos;
    EXPECT_EQ(clipboard_message, c.code == kNoClipboard);
  }
}

TEST_F(CommandMainTest, ArgumentListsOfNoAcceptedShape) {
  const std::vector<std::string> cases[] = {
      {"/?", "x"}, {"/W"}, {"/W", "H2O", "3", "x"}, {"/X", "H2O"}, {"/Fe"}, {"Fe", "Cu"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args[0] + " +" + std::to_string(args.size() - 1));
    RecordingPlatform fresh;
    platform = fresh;
    EXPECT_EQ(Main(args), kBadParameters);
    EXPECT_EQ(platform.messages, (Calls{Title(Cp932("パラメータが不正です。"))}));
    EXPECT_FALSE(platform.clipboard_set);
  }
}

TEST_F(CommandMainTest, ArgumentsAreFoldedAndTheCommandUpperCased) {
  folder.Write("KORVATEX.CSV", DataFile().Text());
  // The program path is the system's, and not folded: ｋ２ stays.
  const std::string program = folder.File(Cp932("ｋ２"));
  Arguments args({program, "/w", Cp932("Ｈ２Ｏ"), Cp932("３")});
  EXPECT_EQ(CommandMain(args.argc(), args.argv(), platform), kSuccess);
  EXPECT_EQ(args[0], program);
  EXPECT_EQ(args[1], "/W");
  EXPECT_EQ(args[2], "H2O");
  EXPECT_EQ(platform.clipboard, Cp932("化学式：H2O\t分子量・式量＝ 10.000"));

  // Full-width ／？ is not the help switch: it is taken as an element.
  EXPECT_EQ(Main({Cp932("／？")}), kBadSymbol);
  EXPECT_EQ(platform.messages.back(), Title(Cp932("「／？」は、不正な元素記号です。")));
  EXPECT_EQ(Main({Cp932("２６")}), kSuccess);
  EXPECT_NE(platform.clipboard.find(Cp932("元素記号 : E26\r\n")), std::string::npos);
}

TEST_F(CommandMainTest, MissingDataFileIsNamedInTheMessage) {
  EXPECT_EQ(Main({"26"}), kNoDataFile);
  EXPECT_EQ(platform.messages,
            (Calls{Title(Cp932("データファイル \"") + folder.File("KORVATEX.CSV") +
                         Cp932("\" がありません。"))}));
  EXPECT_EQ(Main({"/W", "H2O", "9"}), kDigitsOutOfRange);
  EXPECT_EQ(platform.messages.back(),
            Cp932("分子量・式量計算|小数点以下の桁数は、０から７までです。"));
  EXPECT_FALSE(platform.clipboard_set);
}

// A platform whose paths differ from their message form, as a POSIX
// system's UTF-8 paths differ from CP932.
class ConvertingPlatform : public RecordingPlatform {
 public:
  std::string PathFromSettings(std::string_view text, TextEncoding) const override {
    return std::string(text) + ":sys";
  }
  std::string PathForMessage(std::string_view path) const override {
    return "msg:" + std::string(path);
  }
};

TEST_F(CommandMainTest, PathsConvertedFromTheSettingsFileAndForTheMessage) {
  ConvertingPlatform converting;
  folder.Write("KORVATEX.INI", "1\n2\n3\nd=2\n5\n6\n7\n8\np=/none.csv\n");
  EXPECT_EQ(RunCommand(folder, {"26"}, converting).code, kNoDataFile);
  EXPECT_EQ(converting.messages,
            (Calls{Title(Cp932("データファイル \"msg:/none.csv:sys\" がありません。"))}));
}

// Counts the process's open files when the message is shown.
class FileCountingPlatform : public RecordingPlatform {
 public:
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    open_files_at_message = OpenFiles();
    RecordingPlatform::ShowMessage(text, caption, icon);
  }
  static int OpenFiles() {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                          std::filesystem::directory_iterator()));
  }
  int open_files_at_message = -1;
};

TEST_F(CommandMainTest, DataFileIsClosedBeforeTheMessageIsShown) {
  folder.Write("KORVATEX.CSV", DataFile().Text());
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"/W", "H2O"}, {"/W", "h2o"}, {"Xx"}}) {
    FileCountingPlatform counting;
    const int before = FileCountingPlatform::OpenFiles();
    EXPECT_NE(RunCommand(folder, args, counting).code, kSuccess);
    EXPECT_EQ(counting.open_files_at_message, before) << args[0];
  }
}

// Throws `thrown` where the clipboard would be emptied.
class ThrowingPlatform : public RecordingPlatform {
 public:
  explicit ThrowingPlatform(std::function<void()> thrown) : thrown_(std::move(thrown)) {}
  bool EmptyClipboard() override {
    thrown_();
    return true;
  }

 private:
  std::function<void()> thrown_;
};

// An exception whose message is empty.
struct Silent : std::exception {
  const char* what() const noexcept override { return ""; }
};

TEST(RunCommandMainTest, EscapingExceptionIsShownWithTheStopIcon) {
  const struct {
    std::function<void()> thrown;
    std::string shown;
  } cases[] = {
      {[] { throw std::bad_alloc(); }, std::bad_alloc().what()},
      {[] { throw Silent(); }, Cp932("未知の例外")},
      {[] { throw 1; }, Cp932("未知の例外")},
  };
  for (const auto& c : cases) {
    ThrowingPlatform platform(c.thrown);
    Arguments args({"/x/korvatex", "Fe"});
    EXPECT_EQ(RunCommandMain(args.argc(), args.argv(), platform), -1);
    EXPECT_EQ(platform.messages, std::vector<std::string>{Cp932("未処理の例外|") + c.shown});
    EXPECT_EQ(platform.icons, (std::vector<MessageIcon>{MessageIcon::kStop}));
  }
}

}  // namespace
