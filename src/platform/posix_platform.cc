#include "platform/posix_platform.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

#include "files/system_file.h"
#include "platform/text_conversion.h"
#include "text/path.h"
#include "text/texts.h"

namespace {

// The HTML copy of the help, beside the help file; else the installed one.
constexpr char kHtmlHelpPage[] = "html/index.htm";

#ifdef __APPLE__
constexpr char kFileOpener[] = "open";
#else
constexpr char kFileOpener[] = "xdg-open";
#endif

// True when a viewer can show a window: always on macOS; elsewhere in an X11
// or Wayland session. Without one, xdg-open falls back to a browser for the
// terminal, which, started in the background without the terminal, ends at
// once as if it had shown the page.
bool HasGraphicalSession() {
#ifdef __APPLE__
  return true;
#else
  return !Environment("DISPLAY").empty() || !Environment("WAYLAND_DISPLAY").empty();
#endif
}

// The commands that may show the HTML page `file`, in the order tried:
// xdg-open (macOS: open); each command of $BROWSER, a list separated by
// ":" whose commands are words separated by blanks, the word "%s" standing
// for the file (when none does, the file comes last); sensible-browser.
std::vector<std::vector<std::string>> HtmlViewers(const std::string& browser,
                                                  const std::string& file) {
  std::vector<std::vector<std::string>> viewers{{kFileOpener, file}};
#ifndef __APPLE__
  for (size_t start = 0; start <= browser.size();) {
    size_t end = browser.find(':', start);
    if (end == std::string::npos) end = browser.size();
    std::vector<std::string> words;
    bool has_file = false;
    for (size_t pos = start; (pos = browser.find_first_not_of(" \t", pos)) < end;) {
      const size_t word_end = std::min(browser.find_first_of(" \t", pos), end);
      words.push_back(browser.substr(pos, word_end - pos));
      if (words.back() == "%s") {
        words.back() = file;
        has_file = true;
      }
      pos = word_end;
    }
    if (!words.empty()) {
      if (!has_file) words.push_back(file);
      viewers.push_back(std::move(words));
    }
    start = end + 1;
  }
  viewers.push_back({"sensible-browser", file});
#else
  (void)browser;
#endif
  return viewers;
}

}  // namespace

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string WithLfLineEnds(std::string_view text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result += text[i];
  }
  return result;
}

bool Print(FILE* stream, std::string_view text, const std::string& codeset) {
  const std::string shown = FromCp932(text, codeset);
  return std::fwrite(shown.data(), 1, shown.size(), stream) == shown.size() &&
         std::fflush(stream) == 0;
}

PosixPlatform::PosixPlatform(std::string codeset, ClipboardChoice clipboard, FILE* output,
                             FILE* errors)
    : codeset_(std::move(codeset)),
      backend_(std::move(clipboard.backend)),
      missing_tool_hint_(clipboard.missing_tool_hint),
      output_(output),
      errors_(errors) {}

std::string OutputFailureLine(int error, const std::string& codeset) {
  return FromCp932(texts::kOutputNotWritten, codeset) + std::strerror(error) + "\n";
}

bool PosixPlatform::OpenClipboard() { return backend_ || missing_tool_hint_ == nullptr; }

// A clipboard tool that is missing or fails, or a standard output that is
// closed, never hides the command's answer: the run goes on.
bool PosixPlatform::ClipboardFailureEndsRun() const { return false; }

// Every run empties the clipboard at its start and again just before it
// hands over its result; the second time there is nothing to empty, and
// starting the clipboard tool once more would only cost time; nor is a
// tool that failed once started again in the same run. Standard output has
// nothing to empty, but without a clipboard tool a closed one (closed when
// the program started) is no destination either.
bool PosixPlatform::EmptyClipboard() {
  if (!OpenClipboard()) return false;
  if (!backend_) return output_ != nullptr;
  if (!emptied_ && !tool_failed_) {
    emptied_ = RunProgram(backend_->empty, "", waits_);
    tool_failed_ = !emptied_;
  }
  return emptied_;
}

// The text goes to every destination, each tried whatever the other did:
// standard output (the formula line, which has no line end, gets one) and
// the clipboard tool. It counts as handed over only when each took it, and
// never when the clipboard is out of reach (its tool missing, or failed in
// this run): it is then shown, not copied.
bool PosixPlatform::SetClipboardText(std::string_view text) {
  emptied_ = false;
  const std::string lf_text = WithLfLineEnds(text);
  bool taken = OpenClipboard() && !tool_failed_;
  if (output_ != nullptr) {
    const bool ends_line = !lf_text.empty() && lf_text.back() == '\n';
    if (!Print(output_, ends_line ? lf_text : lf_text + "\n", codeset_)) {
      ReportOutputFailure(errno);
      taken = false;
    }
  } else if (!backend_) {
    ReportOutputFailure(EBADF);
    return false;
  }
  if (backend_ && !tool_failed_ &&
      !RunProgram(backend_->hand_over, FromCp932(lf_text, "UTF-8"), waits_)) {
    tool_failed_ = true;
    taken = false;
  }
  return taken;
}

void PosixPlatform::CloseClipboard() {}

// Said before the message of code 8, which names the clipboard only.
void PosixPlatform::ReportOutputFailure(int error) {
  std::fputs(OutputFailureLine(error, codeset_).c_str(), errors_);
  std::fflush(errors_);
}

void PosixPlatform::ShowMessage(std::string_view text, std::string_view caption,
                                MessageIcon /*icon*/) {
  std::string line(caption);
  line += ": ";
  line += text;
  line += "\n";
  Print(errors_, line, codeset_);
}

// The HTML copy of the help, beside the help file at `path` or else where
// the package installs it, with the first of HtmlViewers that opens it; the
// help file itself (CHM, which few systems but Windows can show) with
// xdg-open only when none does; and when nothing opens, one line tells
// where the help is. Without a graphical session nothing is started.
void PosixPlatform::OpenWithViewer(std::string_view path) {
  std::string html = SiblingPath(path, kHtmlHelpPage);
  if (!IsRegularFile(html)) html = InstalledFile(path, kInstalledHtmlHelp);
  const bool has_html = !html.empty();
  if (HasGraphicalSession()) {
    if (has_html) {
      for (const std::vector<std::string>& viewer : HtmlViewers(Environment("BROWSER"), html)) {
        if (StartViewer(viewer, waits_)) return;
      }
    }
    std::string chm(path);
    if (!IsRegularFile(chm)) chm = InstalledFile(path, kInstalledHelpFile);
    if (!chm.empty() && StartViewer({kFileOpener, chm}, waits_)) return;
  }
  const std::string line = has_html ? FromCp932(texts::kHelpIsAtBefore, codeset_) + html +
                                          FromCp932(texts::kHelpIsAtAfter, codeset_)
                                    : FromCp932(texts::kHelpIsInManPage, codeset_);
  WriteAll(STDERR_FILENO, line + "\n");
}

std::string PosixPlatform::PathFromSettings(std::string_view text, TextEncoding encoding) const {
  if (encoding == TextEncoding::kCp932 && IsShiftJisCodeset(codeset_)) return std::string(text);
  const std::optional<std::string> path =
      ConvertExactly(text, encoding == TextEncoding::kUtf8 ? "UTF-8" : "CP932", codeset_);
  return path ? *path : std::string(text);
}

std::string PosixPlatform::PathForMessage(std::string_view path) const {
  return ToCp932(path, codeset_);
}

const char* PosixPlatform::MissingToolHint() const {
  return backend_ ? nullptr : missing_tool_hint_;
}

std::string ProgramPath(const char* argv0, const char* self_link) {
#ifdef __APPLE__
  (void)self_link;
  char raw[PATH_MAX];
  uint32_t size = sizeof raw;
  if (_NSGetExecutablePath(raw, &size) == 0) {
    char resolved[PATH_MAX];
    if (realpath(raw, resolved) != nullptr) return resolved;
  }
#else
  // A link holds at most PATH_MAX - 1 bytes, and the kernel names no
  // program deeper than that; such a one is found through argv[0] below.
  char link[PATH_MAX];
  const ssize_t n = readlink(self_link, link, sizeof link);
  if (n >= 0 && static_cast<size_t>(n) < sizeof link) return std::string(link, n);
#endif
  char resolved[PATH_MAX];
  if (argv0 != nullptr && realpath(argv0, resolved) != nullptr) return resolved;
  return argv0 == nullptr ? std::string() : std::string(argv0);
}

std::string InstalledFile(std::string_view program_path, std::string_view installed) {
  const std::string under_prefix = SiblingPath(program_path, "../" + std::string(installed));
  for (const std::string& path : {under_prefix, "/usr/" + std::string(installed)}) {
    char resolved[PATH_MAX];
    if (IsRegularFile(path) && realpath(path.c_str(), resolved) != nullptr) return resolved;
  }
  return std::string();
}

std::string PersonalSettingsFile(const EnvironmentLookup& environment) {
  std::string base = environment("XDG_CONFIG_HOME");
  if (base.empty() || base[0] != '/') {
    const std::string home = environment("HOME");
    if (home.empty()) return std::string();
    base = home + "/.config";
  }
  return base + "/korvatex/KORVATEX.INI";
}
