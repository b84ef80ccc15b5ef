// Starting other programs from the POSIX program.
//
// Two kinds are started: a clipboard tool, which gets a text on its
// standard input and is waited for, and the help viewer, which is given a
// moment to fail and then left to run. Neither holds any other file of this
// program, and a tool that serves the clipboard in the background holds no
// standard stream of the caller either (`korvatex Fe | cat` ends when this
// program does). The choice of which tool to run is made elsewhere
// (clipboard_tool.h).
#ifndef KORVATEX_PLATFORM_SUBPROCESS_H_
#define KORVATEX_PLATFORM_SUBPROCESS_H_

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A clipboard tool and what becomes of its standard output.
struct Tool {
  Tool(std::vector<std::string> words = {}) : argv(std::move(words)) {}  // NOLINT: implicit
  std::vector<std::string> argv;
  bool shows_output = false;  // false: its standard output goes to /dev/null
  std::string shell_command;  // run by /bin/sh when argv[0] names no program
  // When set, the tool serves the clipboard itself, in the foreground, and
  // writes this on its standard error once its request for the clipboard is
  // about to go out (xclip -quiet). It is then waited for only until it has
  // sent it: until it has written this and sleeps, waiting for its display.
  // A tool that forks to serve in the background returns before its
  // serving process has asked for the clipboard, which may then come after
  // a later tool's request and take the clipboard from it.
  std::string ready_message;
  // Started in a session of its own, without a controlling terminal: set
  // for a tool that goes on serving the clipboard after it returns (xclip,
  // xsel, wl-copy). In the caller's session the hang-up that closing the
  // terminal sends would end it, and the result with it.
  bool own_session = false;
};

// How long the launcher waits for what it starts. The program always uses
// these values; tests pass shorter ones so that they need not sleep.
struct LaunchWaits {
  // How long a help viewer is given to fail before it is left to run: long
  // enough for xdg-open to find no browser on a busy machine (0.2 to 0.6 s
  // here, with a load of 5 on two cores), short enough that a viewer that
  // runs never keeps the user waiting long.
  int viewer_grace_ms = 1200;
  // How long a tool with a ready message is waited for at most before it is
  // left to serve.
  int ready_limit_ms = 3000;
};

// Runs `tool` with `input` on its standard input; true when it exits 0
// (or, for a tool with a ready message, when it is ready and serving).
// When it fails, what it wrote on its standard error is shown on this
// program's standard error; when it succeeds, nothing of it is. A tool may
// end without reading its input, so the process must ignore SIGPIPE (the
// entry does).
bool RunTool(const Tool& tool, std::string_view input, const LaunchWaits& waits = {});

// Starts the viewer command `argv` (the file among its words) in a session
// of its own, its output discarded. True when it is still running after
// the grace time (a viewer in the foreground) or has ended with 0;
// false when it could not be started or ended with another status before.
// The program never waits for the viewer itself.
bool StartViewer(const std::vector<std::string>& argv, const LaunchWaits& waits = {});

// True when `name` is an executable regular file in one of the folders of
// `path` (a PATH value: folders separated by ":", an empty one meaning ".").
bool IsOnPath(const std::string& name, const std::string& path);

// Writes all of `bytes` to `fd`; false when a write fails.
bool WriteAll(int fd, std::string_view bytes);

#endif  // KORVATEX_PLATFORM_SUBPROCESS_H_
