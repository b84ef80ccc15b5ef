#include "platform/clipboard_tool.h"

#include "text/texts.h"

namespace {

// A tool that forks and goes on serving the clipboard after it returns.
Program Serving(std::vector<std::string> words) {
  Program tool(std::move(words));
  tool.own_session = true;
  return tool;
}

// True once `xclip -quiet`, which serves the clipboard in the foreground,
// has asked the display for the clipboard: it says it waits for requests
// just before its request goes out, then sleeps until the display answers;
// its first sleep after the words is the sign that the request has gone.
bool XclipHasAsked(pid_t pid, std::string_view error_output) {
  return error_output.find("Waiting for selection request number") != std::string_view::npos &&
         ProcessSleeps(pid);
}

// True when `command` holds none of the characters that make shell syntax,
// so that its words can be run without a shell.
bool IsPlainWords(std::string_view command) {
  return command.find_first_of("'\"$`\\|&;<>()*?[#~=%\n") == std::string_view::npos;
}

}  // namespace

Program ToolFromSetting(const std::string& command) {
  Program tool;
  tool.shows_output = true;
  if (!IsPlainWords(command)) {
    tool.argv = {"/bin/sh", "-c", command};
    return tool;
  }
  size_t pos = 0;
  while ((pos = command.find_first_not_of(" \t", pos)) != std::string::npos) {
    const size_t end = command.find_first_of(" \t", pos);
    tool.argv.push_back(command.substr(pos, end - pos));
    pos = end;
  }
  if (tool.argv.empty()) tool.argv = {"/bin/sh", "-c", command};  // blanks only
  tool.shell_command = command;
  return tool;
}

ClipboardChoice ChooseClipboardTool(const EnvironmentLookup& environment,
                                    const ProgramLookup& is_on_path) {
  const std::string custom = environment("KORVATEX_CLIPBOARD");
  if (!custom.empty()) {
    const Program tool = ToolFromSetting(custom);
    return {ClipboardBackend{tool, tool}};
  }
  const bool wayland = !environment("WAYLAND_DISPLAY").empty();
  const bool x11 = !environment("DISPLAY").empty();
  // wl-copy --clear leaves the text in place on some compositors; an empty
  // text replaces it everywhere.
  if (wayland && is_on_path("wl-copy")) {
    const Program wl_copy = Serving({"wl-copy"});
    return {ClipboardBackend{wl_copy, wl_copy}};
  }
  if (x11 && is_on_path("xclip")) {
    const Program xclip = Serving({"xclip", "-selection", "clipboard", "-i"});
    // xclip forks to serve the clipboard and returns before its serving
    // process has asked the display for it: the emptying at the start of a
    // run could then take the clipboard after the result had, and the
    // result would be lost. The emptying serves in the foreground instead,
    // and is waited for until its request has gone out.
    Program empty = Serving({"xclip", "-quiet", "-selection", "clipboard", "-i"});
    empty.is_ready = XclipHasAsked;
    return {ClipboardBackend{empty, xclip}};
  }
  if (x11 && is_on_path("xsel")) {
    return {ClipboardBackend{Serving({"xsel", "--clipboard", "--clear"}),
                             Serving({"xsel", "--clipboard", "--input"})}};
  }
#ifdef __APPLE__
  if (is_on_path("pbcopy")) {
    const Program pbcopy{{"pbcopy"}};
    return {ClipboardBackend{pbcopy, pbcopy}};
  }
  return {std::nullopt, texts::kNoClipboardToolHint};
#else
  if (!wayland && !x11) return {};
  return {std::nullopt, wayland ? texts::kInstallWlClipboardHint : texts::kInstallXclipHint};
#endif
}
