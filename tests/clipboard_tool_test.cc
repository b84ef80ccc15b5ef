#include "platform/clipboard_tool.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <csignal>
#include <map>
#include <sstream>

#include "child_processes.h"
#include "test_support.h"
#include "text/texts.h"

namespace {

using Environment = std::map<std::string, std::string>;

// The choice as one line: "stdout" (no clipboard), "none: <hint>", or the
// emptying tool and the hand-over tool, each as its words ("+out" when its
// output shows, "+ready" when it serves in the foreground and is waited for
// until ready, "+setsid" when it starts in a session of its own).
std::string Describe(const ClipboardChoice& choice) {
  if (!choice.backend) {
    return choice.missing_tool_hint ? std::string("none: ") + choice.missing_tool_hint : "stdout";
  }
  std::ostringstream line;
  for (const Program* tool : {&choice.backend->empty, &choice.backend->hand_over}) {
    for (const std::string& word : tool->argv) line << word << ' ';
    line << (tool->shows_output ? "+out" : "") << (tool->is_ready ? "+ready" : "")
         << (tool->own_session ? "+setsid" : "") << (tool == &choice.backend->empty ? "| " : "");
  }
  return line.str();
}

TEST(ClipboardToolTest, ChosenFromTheEnvironmentAndTheToolsInstalled) {
  const std::string xclip = "xclip -selection clipboard -i +setsid";
  const std::string xclip_pair = "xclip -quiet -selection clipboard -i +ready+setsid| " + xclip;
  const std::string wl_hint = std::string("none: ") + texts::kInstallWlClipboardHint;
  const std::string x_hint = std::string("none: ") + texts::kInstallXclipHint;
  const struct {
    Environment environment;
    std::string installed;  // the programs on PATH, each followed by a blank
    std::string chosen;
  } cases[] = {
      {{}, "", "stdout"},
      {{}, "wl-copy xclip xsel ", "stdout"},
      {{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, "xclip ", "stdout"},
      {{{"WAYLAND_DISPLAY", "wayland-0"}}, "wl-copy xclip ", "wl-copy +setsid| wl-copy +setsid"},
      {{{"WAYLAND_DISPLAY", "wayland-0"}}, "xclip ", wl_hint},
      {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "xclip ", xclip_pair},
      {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "", wl_hint},
      {{{"DISPLAY", ":0"}}, "xclip xsel wl-copy ", xclip_pair},
      {{{"DISPLAY", ":0"}},
       "xsel ",
       "xsel --clipboard --clear +setsid| xsel --clipboard --input +setsid"},
      {{{"DISPLAY", ":0"}}, "wl-copy ", x_hint},
      {{{"KORVATEX_CLIPBOARD", "cat"}, {"DISPLAY", ":0"}}, "xclip ", "cat +out| cat +out"},
      {{{"KORVATEX_CLIPBOARD", " xclip\t-i "}}, "", "xclip -i +out| xclip -i +out"},
      {{{"KORVATEX_CLIPBOARD", "cat > f"}}, "", "/bin/sh -c cat > f +out| /bin/sh -c cat > f +out"},
      {{{"KORVATEX_CLIPBOARD", " "}}, "", "/bin/sh -c   +out| /bin/sh -c   +out"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    const ClipboardChoice choice = ChooseClipboardTool(
        [&](const char* name) {
          const auto found = c.environment.find(name);
          return found == c.environment.end() ? std::string() : found->second;
        },
        [&](const std::string& name) { return c.installed.find(name + " ") != std::string::npos; });
    EXPECT_EQ(Describe(choice), c.chosen);
  }
}

// xclip serving in the foreground, here a script that talks as it does,
// is waited for until it has said it waits for requests and then sleeps,
// waiting for the display: not while it is still busy sending its request.
TEST(ClipboardToolTest, XclipIsWaitedForUntilItHasAskedForTheClipboard) {
  const ChildProcessReaper reaper;  // ends the sleeps the scripts go on with
  std::signal(SIGPIPE, SIG_IGN);    // as the program does: a tool may end without reading
  ScratchFolder folder;
  const std::string file = folder.File("out");
  const std::string says = "echo Waiting for selection request number 1 >&2; ";
  const struct {
    std::string script;
    std::string file;
  } cases[] = {
      {"cat > '" + file + "'; " + says + "exec sleep 3", "input"},
      {says + "i=0; while [ $i -lt 20000 ]; do i=$((i+1)); done; read -r line; echo \"$line\" > '" +
           file + "'; exec sleep 3",
       "input\n"},
  };
  const ClipboardChoice choice = ChooseClipboardTool(
      [](const char* name) { return std::string(name) == "DISPLAY" ? ":0" : ""; },
      [](const std::string& name) { return name == "xclip"; });
  ASSERT_TRUE(choice.backend);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    Program xclip = choice.backend->empty;
    xclip.argv = {"sh", "-c", c.script};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(RunProgram(xclip, "input"));  // not ready: waited for 3 s
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
    EXPECT_EQ(ReadFile(file), c.file);
  }
}

// A command does what the shell would make of it: with each mark at a
// word's start, inside a word and alone, it is either run by /bin/sh or,
// started directly, gives what /bin/sh gives. Plain words are started
// directly, and by the shell only when they name no program.
TEST(ClipboardToolTest, ACommandDoesWhatTheShellWouldMakeOfIt) {
  std::signal(SIGPIPE, SIG_IGN);  // as the program does
  for (int c = 1; c < 128; ++c) {
    if (!std::ispunct(c) && !std::isspace(c)) continue;
    const std::string ch(1, static_cast<char>(c));
    const std::string command = "echo " + ch + " " + ch + "b a" + ch + "b a" + ch;
    const Program tool = ToolFromSetting(command);
    if (tool.argv == std::vector<std::string>{"/bin/sh", "-c", command}) continue;  // the shell's
    Program shell({"/bin/sh", "-c", command});
    shell.shows_output = true;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const bool shell_ok = RunProgram(shell, "");
    const std::string expected = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram(tool, ""), shell_ok) << command;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), expected) << command;
    testing::internal::GetCapturedStderr();
  }
  const Program plain = ToolFromSetting(" echo\ta-b.c/d,e ");
  EXPECT_EQ(plain.argv, (std::vector<std::string>{"echo", "a-b.c/d,e"}));
  EXPECT_EQ(ToolFromSetting(":").shell_command, ":");  // run by the shell: it names no program
}

}  // namespace
