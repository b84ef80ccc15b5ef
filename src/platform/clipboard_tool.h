// The choice of the clipboard tool on a POSIX system.
//
// In this order: the command in $KORVATEX_CLIPBOARD; wl-copy on Wayland
// ($WAYLAND_DISPLAY set); xclip, else xsel, on X11 ($DISPLAY set); pbcopy on
// macOS; without any graphical session, none (standard output, which takes
// every result, is then the only destination). A graphical session without
// its tool gets none too, and a hint that names the package to install.
// The choice depends only on the two lookups it is given, so it can be
// tried out with a table of environments without starting anything. Also
// here: how to tell that xclip, serving in the foreground, is ready.
#ifndef KORVATEX_PLATFORM_CLIPBOARD_TOOL_H_
#define KORVATEX_PLATFORM_CLIPBOARD_TOOL_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/subprocess.h"

// The value of an environment variable; empty when it is not set.
using EnvironmentLookup = std::function<std::string(const char* name)>;
// True when a program of that name can be started.
using ProgramLookup = std::function<bool(const std::string& name)>;

// The clipboard tool. Emptying runs `empty` with no input; a text is handed
// to `hand_over`.
struct ClipboardBackend {
  Program empty;
  Program hand_over;
};

// The backend chosen; or none, with the CP932 hint that names what to
// install when a graphical session lacks its tool, or without one when
// there is no clipboard (no graphical session).
struct ClipboardChoice {
  std::optional<ClipboardBackend> backend;
  const char* missing_tool_hint = nullptr;
};

ClipboardChoice ChooseClipboardTool(const EnvironmentLookup& environment,
                                    const ProgramLookup& is_on_path);

// The tool that $KORVATEX_CLIPBOARD names: its blank-separated words when
// they are plain, else the command run by /bin/sh.
Program ToolFromSetting(const std::string& command);

#endif  // KORVATEX_PLATFORM_CLIPBOARD_TOOL_H_
