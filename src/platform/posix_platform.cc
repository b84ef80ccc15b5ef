#include "platform/posix_platform.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

#include "platform/text_conversion.h"
#include "text/path.h"
#include "text/texts.h"

namespace {

// The HTML copy of the help, beside the help file.
constexpr char kHtmlHelpPage[] = "html/index.htm";

bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string WithLfLineEnds(std::string_view text) {
  std::string result;
  result.reserve(text.size());
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

bool PosixPlatform::OpenClipboard() { return backend_.has_value(); }

// Every run empties the clipboard at its start and again just before it
// hands over its result; the second time there is nothing to empty, and
// starting the clipboard tool once more would only cost time. Standard
// output has nothing to empty.
bool PosixPlatform::EmptyClipboard() {
  if (!backend_) return false;
  if (!emptied_) emptied_ = backend_->is_standard_output || RunTool(backend_->empty, "");
  return emptied_;
}

bool PosixPlatform::SetClipboardText(std::string_view text) {
  if (!backend_) return false;
  emptied_ = false;
  const std::string lf_text = WithLfLineEnds(text);
  if (!backend_->is_standard_output) {
    return RunTool(backend_->hand_over, FromCp932(lf_text, "UTF-8"));
  }
  const bool ends_line = !lf_text.empty() && lf_text.back() == '\n';
  return Print(output_, ends_line ? lf_text : lf_text + "\n", codeset_);
}

void PosixPlatform::CloseClipboard() {}

void PosixPlatform::ShowMessage(std::string_view text, std::string_view caption,
                                MessageIcon /*icon*/) {
  std::string line(caption);
  line += ": ";
  line += text;
  line += "\n";
  Print(errors_, line, codeset_);
}

// The help file with xdg-open, else the HTML copy of the help beside it;
// when neither opens, one line tells where the help is.
void PosixPlatform::OpenWithViewer(std::string_view path) {
#ifdef __APPLE__
  const char* viewer = "open";
#else
  const char* viewer = "xdg-open";
#endif
  const std::string html = SiblingPath(path, kHtmlHelpPage);
  const bool has_viewer = IsOnPath(viewer, Environment("PATH"));
  if (has_viewer && StartViewer(viewer, std::string(path))) return;
  const bool has_html = FileExists(html);
  if (has_viewer && has_html && StartViewer(viewer, html)) return;
  const std::string line = has_html ? FromCp932(texts::kHelpIsAtBefore, codeset_) + html +
                                          FromCp932(texts::kHelpIsAtAfter, codeset_)
                                    : FromCp932(texts::kHelpIsInManPage, codeset_);
  WriteAll(STDERR_FILENO, line + "\n");
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
  std::vector<char> buffer(PATH_MAX);
  while (true) {
    const ssize_t n = readlink(self_link, buffer.data(), buffer.size());
    if (n < 0) break;
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
#endif
  char resolved[PATH_MAX];
  if (argv0 != nullptr && realpath(argv0, resolved) != nullptr) return resolved;
  return argv0 == nullptr ? std::string() : std::string(argv0);
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
