// The POSIX platform: Linux first, macOS where it costs little.
//
// A result goes to standard output, in the locale's encoding, and to the
// clipboard tool chosen by clipboard_tool.h, which takes UTF-8 text on
// standard input, when there is one; both must take it. A clipboard out of
// reach (a graphical session without its tool, or a tool that fails) hides
// no answer: a result is shown and counts as not copied, and the command's
// own errors keep their codes.
// Texts leave with LF line ends. Messages go to standard error as one
// line, "caption: text". Paths are the bytes the system names files by, in
// the locale's encoding. The help opens as HTML pages in a browser. Also
// here: where the program and the user's settings file are.
#ifndef KORVATEX_PLATFORM_POSIX_PLATFORM_H_
#define KORVATEX_PLATFORM_POSIX_PLATFORM_H_

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "main/platform.h"
#include "platform/clipboard_tool.h"
#include "platform/subprocess.h"

class PosixPlatform : public Platform {
 public:
  // `codeset` is the locale's, for standard output and error; results go to
  // `output`, messages to `errors`. A null `output` is a standard output
  // that was closed when the program started: it is no destination, and a
  // run with no clipboard either cannot give its result at all.
  PosixPlatform(std::string codeset, ClipboardChoice clipboard, FILE* output = stdout,
                FILE* errors = stderr);

  bool OpenClipboard() override;
  bool EmptyClipboard() override;
  bool SetClipboardText(std::string_view text) override;
  bool ClipboardFailureEndsRun() const override;
  void CloseClipboard() override;
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
  void OpenWithViewer(std::string_view path) override;

  // Line 9's path from CP932 or UTF-8 to the locale's encoding; kept as it
  // is when it cannot be converted.
  std::string PathFromSettings(std::string_view text, TextEncoding encoding) const override;
  // `path` from the locale's encoding to CP932, "?" for each character that
  // CP932 lacks or byte that is no character.
  std::string PathForMessage(std::string_view path) const override;

  // The hint when no clipboard tool was found, else null.
  const char* MissingToolHint() const;

  // How long the tools and viewers started are waited for (tests shorten it).
  void SetLaunchWaits(const LaunchWaits& waits) { waits_ = waits; }

 private:
  void ReportOutputFailure(int error);

  std::string codeset_;
  bool emptied_ = false;      // emptied by this run, nothing handed over since
  bool tool_failed_ = false;  // the clipboard tool failed in this run
  std::optional<ClipboardBackend> backend_;
  const char* missing_tool_hint_;
  FILE* output_;
  FILE* errors_;
  LaunchWaits waits_;
};

// The value of the environment variable `name`; empty when it is not set.
std::string Environment(const char* name);

// `text` with every CR LF made LF, the line end of POSIX systems. CR and LF
// are never the second byte of a CP932 character.
std::string WithLfLineEnds(std::string_view text);

// Writes `text` (CP932) to `stream` in `codeset`; false when that fails,
// with errno telling why.
bool Print(FILE* stream, std::string_view text, const std::string& codeset);

// The line, in `codeset`, that says standard output could not be written and
// why: `error` is an errno value.
std::string OutputFailureLine(int error, const std::string& codeset);

// The resolved absolute path of the running program, so that its files are
// found beside the real program even when it is started through a symlink:
// what `self_link` points to, else `argv0` resolved, else `argv0` as it is.
std::string ProgramPath(const char* argv0, const char* self_link = "/proc/self/exe");

// The user's own settings file, $XDG_CONFIG_HOME/korvatex/KORVATEX.INI
// (~/.config when XDG_CONFIG_HOME is unset, empty or not absolute); empty
// when neither gives a folder.
std::string PersonalSettingsFile(const EnvironmentLookup& environment);

// The settings file for every user of the system, read when a user has none
// of their own.
constexpr char kSystemSettingsFile[] = "/etc/korvatex/KORVATEX.INI";

// Where an installed program's files lie, from its own folder (bin/), and
// where the Debian package puts them, for a copy of the program elsewhere.
constexpr char kInstalledDataFile[] = "share/korvatex/KORVATEX.CSV";
constexpr char kInstalledHtmlHelp[] = "share/doc/korvatex/html/index.htm";
constexpr char kInstalledHelpFile[] = "share/doc/korvatex/KORVATEX.CHM";

// The installed file `installed` (one of the above) of the program at
// `program_path`: under the prefix the program lies in (PREFIX/bin/korvatex
// finds PREFIX/share/...), else under /usr; the first that exists, its path
// resolved. Empty when neither does.
std::string InstalledFile(std::string_view program_path, std::string_view installed);

#endif  // KORVATEX_PLATFORM_POSIX_PLATFORM_H_
