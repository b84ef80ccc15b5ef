#include "platform/posix_platform.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>

#include "child_processes.h"
#include "platform/text_conversion.h"
#include "test_support.h"
#include "text/texts.h"

namespace {

TEST(PosixPlatformTest, CrLfBecomesLfAndNothingElseChanges) {
  const struct {
    std::string text, expected;
  } cases[] = {
      {"a\r\nb\r\n", "a\nb\n"},
      {"a\rb\r", "a\rb\r"},
      {"\r\r\n\n", "\r\n\n"},
      {"x\n", "x\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithLfLineEnds(c.text), c.expected) << c.text;
  // A CR that ends the text is kept, whatever lies past its end.
  EXPECT_EQ(WithLfLineEnds(std::string_view("a\r\n", 2)), "a\r");
}

// The platform without a clipboard, its standard output a file.
class StandardOutputTest : public ::testing::Test {
 protected:
  std::string Output() {
    std::fflush(output_);
    return ReadFile(folder_.File("out"));
  }
  ScratchFolder folder_;
  FILE* output_ = std::fopen(folder_.File("out").c_str(), "w");
  PosixPlatform platform_{"UTF-8", {}, output_, output_};
  void TearDown() override { std::fclose(output_); }
};

TEST_F(StandardOutputTest, TextsAreWrittenInTheLocaleWithLineEnds) {
  EXPECT_TRUE(platform_.OpenClipboard());
  EXPECT_TRUE(platform_.EmptyClipboard());
  EXPECT_TRUE(platform_.SetClipboardText(Cp932("原子番号 : 26\r\n元素記号 : Fe\r\n")));
  EXPECT_TRUE(platform_.SetClipboardText(Cp932("化学式：H2O\t分子量・式量＝ 18")));
  platform_.ShowMessage(Cp932("パラメータが不正です。"), "T", MessageIcon::kWarning);
  EXPECT_EQ(Output(),
            u8"原子番号 : 26\n元素記号 : Fe\n化学式：H2O\t分子量・式量＝ 18\n"
            u8"T: パラメータが不正です。\n");
  EXPECT_EQ(platform_.MissingToolHint(), nullptr);
}

TEST(PosixPlatformTest, AFailedWriteIsAFailure) {
  FILE* full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  PosixPlatform platform("UTF-8", {}, full, full);
  EXPECT_FALSE(platform.SetClipboardText("Fe"));
  EXPECT_FALSE(Print(full, "Fe", "UTF-8"));
  std::fclose(full);
}

// A clipboard tool missing, or one that fails: a result is shown all the
// same and counts as not copied; a tool that failed is not started again.
TEST_F(StandardOutputTest, AClipboardOutOfReachShowsTheResultAndReportsNoCopy) {
  const std::string started = folder_.File("started");
  const Program failing({"/bin/sh", "-c", "echo >>'" + started + "'; exit 1"});
  const struct {
    ClipboardChoice clipboard;
    const char* hint;
  } cases[] = {
      {{std::nullopt, texts::kInstallXclipHint}, texts::kInstallXclipHint},
      {{ClipboardBackend{failing, failing}, nullptr}, nullptr},
  };
  for (const auto& c : cases) {
    PosixPlatform platform("UTF-8", c.clipboard, output_, output_);
    EXPECT_FALSE(platform.ClipboardFailureEndsRun());
    EXPECT_FALSE(platform.EmptyClipboard());
    EXPECT_FALSE(platform.EmptyClipboard());
    EXPECT_FALSE(platform.SetClipboardText("Fe"));
    EXPECT_EQ(platform.MissingToolHint(), c.hint);
  }
  EXPECT_EQ(Output(), "Fe\nFe\n");
  EXPECT_EQ(ReadFile(started), "\n");  // the failing tool, once
}

TEST(PosixPlatformTest, WithoutAViewerOneLineSaysWhereTheHelpIs) {
  ScratchFolder folder;
  const std::string path = Environment("PATH");
  setenv("PATH", folder.File("no-bin").c_str(), 1);  // no xdg-open
  PosixPlatform platform("UTF-8", {std::nullopt});
  const std::string html = folder.File("html/index.htm");
  testing::internal::CaptureStderr();
  platform.OpenWithViewer(folder.File("KORVATEX.CHM"));
  mkdir(folder.File("html").c_str(), 0700);
  mkdir(html.c_str(), 0700);  // a folder is no page
  platform.OpenWithViewer(folder.File("KORVATEX.CHM"));
  rmdir(html.c_str());
  folder.Write("html/index.htm", "");
  platform.OpenWithViewer(folder.File("KORVATEX.CHM"));
  const std::string shown = testing::internal::GetCapturedStderr();
  setenv("PATH", path.c_str(), 1);
  const std::string man_page = FromCp932(texts::kHelpIsInManPage, "UTF-8") + "\n";
  EXPECT_EQ(shown, man_page + man_page + FromCp932(texts::kHelpIsAtBefore, "UTF-8") + html +
                       FromCp932(texts::kHelpIsAtAfter, "UTF-8") + "\n");
}

TEST(PosixPlatformTest, AViewerInTheForegroundIsLeftToRunAfterTheGrace) {
  const ChildProcessReaper reaper;  // ends the viewer left to run
  ScratchFolder folder;
  mkdir(folder.File("bin").c_str(), 0700);
  chmod(folder.Write("bin/xdg-open", "#!/bin/sh\nexec /bin/sleep 10\n").c_str(), 0700);
  mkdir(folder.File("html").c_str(), 0700);
  folder.Write("html/index.htm", "");
  const std::string path = Environment("PATH"), display = Environment("DISPLAY");
  setenv("PATH", folder.File("bin").c_str(), 1);
  setenv("DISPLAY", ":0", 1);
  PosixPlatform platform("UTF-8", {std::nullopt});
  platform.SetLaunchWaits({30, 3000});
  const auto start = std::chrono::steady_clock::now();
  testing::internal::CaptureStderr();
  platform.OpenWithViewer(folder.File("KORVATEX.CHM"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");  // opened: no line on where the help is
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  setenv("PATH", path.c_str(), 1);
  display.empty() ? unsetenv("DISPLAY") : setenv("DISPLAY", display.c_str(), 1);
}

TEST(PosixPlatformTest, ProgramPathIsTheRealProgram) {
  ScratchFolder folder;
  const std::string real = folder.Write("real", "");
  const std::string link = folder.File("link");
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  const std::string long_target = "/" + std::string(PATH_MAX - 2, 'a');  // the longest link
  const std::string long_link = folder.File("long");
  ASSERT_EQ(symlink(long_target.c_str(), long_link.c_str()), 0);
  const std::string missing = folder.File("missing");
  const struct {
    const char* argv0;
    std::string self_link, expected;
  } cases[] = {
      {"x", "/proc/self/exe", std::filesystem::read_symlink("/proc/self/exe").string()},
      {"x", long_link, long_target},
      {link.c_str(), missing, std::filesystem::canonical(real).string()},
      {"/nonexistent/korvatex", missing, "/nonexistent/korvatex"},
      {nullptr, missing, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgramPath(c.argv0, c.self_link.c_str()), c.expected);
}

TEST(PosixPlatformTest, PersonalSettingsFileFollowsXdgConfigHome) {
  const struct {
    std::map<std::string, std::string> environment;
    std::string expected;
  } cases[] = {
      {{{"XDG_CONFIG_HOME", "/x"}, {"HOME", "/h"}}, "/x/korvatex/KORVATEX.INI"},
      {{{"XDG_CONFIG_HOME", ""}, {"HOME", "/h"}}, "/h/.config/korvatex/KORVATEX.INI"},
      {{{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/h"}}, "/h/.config/korvatex/KORVATEX.INI"},
      {{{"XDG_CONFIG_HOME", "relative"}}, ""},
      {{}, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PersonalSettingsFile([&](const char* name) {
                const auto found = c.environment.find(name);
                return found == c.environment.end() ? std::string() : found->second;
              }),
              c.expected);
  }
}

}  // namespace
