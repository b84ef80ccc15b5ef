#include "platform/clipboard_tool.h"

#include <gtest/gtest.h>

#include <cctype>
#include <csignal>
#include <map>
#include <sstream>

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
  for (const Tool* tool : {&choice.backend->empty, &choice.backend->hand_over}) {
    for (const std::string& word : tool->argv) line << word << ' ';
    line << (tool->shows_output ? "+out" : "") << (tool->ready_message.empty() ? "" : "+ready")
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
    const Tool tool = ToolFromSetting(command);
    if (tool.argv == std::vector<std::string>{"/bin/sh", "-c", command}) continue;  // the shell's
    Tool shell({"/bin/sh", "-c", command});
    shell.shows_output = true;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const bool shell_ok = RunTool(shell, "");
    const std::string expected = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunTool(tool, ""), shell_ok) << command;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), expected) << command;
    testing::internal::GetCapturedStderr();
  }
  const Tool plain = ToolFromSetting(" echo\ta-b.c/d,e ");
  EXPECT_EQ(plain.argv, (std::vector<std::string>{"echo", "a-b.c/d,e"}));
  EXPECT_EQ(ToolFromSetting(":").shell_command, ":");  // run by the shell: it names no program
}

}  // namespace
