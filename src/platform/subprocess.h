// Starting other programs from the POSIX program.
//
// A program is started in one of two ways: run with a text on its standard
// input and waited for (a clipboard tool), or started and given a moment
// to fail, then left to run (the help viewer). No program started holds
// any other file of this program, and one that goes on running in the
// background holds no standard stream of the caller either
// (`korvatex Fe | cat` ends when this program does). Which programs to
// start, and when one that serves is ready, is decided by the callers
// (clipboard_tool.h).
#ifndef KORVATEX_PLATFORM_SUBPROCESS_H_
#define KORVATEX_PLATFORM_SUBPROCESS_H_

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Whether a program that goes on serving in the foreground has done its
// part: asked, from its process id `pid` and what it has written on its
// standard error so far.
using ReadyCheck = std::function<bool(pid_t pid, std::string_view error_output)>;

// A program to start, and what becomes of its standard streams.
struct Program {
  Program(std::vector<std::string> words = {}) : argv(std::move(words)) {}  // NOLINT: implicit
  std::vector<std::string> argv;
  bool shows_output = false;  // false: its standard output goes to /dev/null
  std::string shell_command;  // run by /bin/sh when argv[0] names no program
  // Set for a program that does its part and then goes on running in the
  // foreground (a clipboard tool that serves the clipboard itself): it is
  // waited for only until this says it is ready, or it ends.
  ReadyCheck is_ready;
  // Started in a session of its own, without a controlling terminal: set
  // for a program that goes on running after it returns (a clipboard tool
  // serving the clipboard). In the caller's session the hang-up that
  // closing the terminal sends would end it.
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
  // How long a program with a ready check is waited for at most before it
  // is left to run.
  int ready_limit_ms = 3000;
};

// Runs `program` with `input` on its standard input; true when it exits 0
// (or, for a program with a ready check, when it is ready or still runs
// after the limit). When it fails, what it wrote on its standard error is
// shown on this program's standard error; when it succeeds, nothing of it
// is. A program may end without reading its input, so the process must
// ignore SIGPIPE (the entry does).
bool RunProgram(const Program& program, std::string_view input, const LaunchWaits& waits = {});

// Starts the viewer command `argv` (the file among its words) in a session
// of its own, its output discarded. True when it is still running after
// the grace time (a viewer in the foreground) or has ended with 0;
// false when it could not be started or ended with another status before.
// The program never waits for the viewer itself.
bool StartViewer(const std::vector<std::string>& argv, const LaunchWaits& waits = {});

// True when `name` is an executable regular file in one of the folders of
// `path` (a PATH value: folders separated by ":", an empty one meaning ".").
bool IsOnPath(const std::string& name, const std::string& path);

// True when process `pid` sleeps, waiting for something (state S in
// /proc/<pid>/stat), or when that cannot be told (no /proc).
bool ProcessSleeps(pid_t pid);

// Writes all of `bytes` to `fd`; false when a write fails.
bool WriteAll(int fd, std::string_view bytes);

#endif  // KORVATEX_PLATFORM_SUBPROCESS_H_
