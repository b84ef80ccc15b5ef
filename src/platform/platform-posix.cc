// The POSIX platform: Linux first, macOS where it costs little.
//
// Arguments arrive in the locale's encoding and are converted to CP932.
// The clipboard is a command that takes UTF-8 text on standard input:
// $KORVATEX_CLIPBOARD when set, else wl-copy, xclip, xsel or pbcopy.
// Messages go to standard error as one line, "caption: text". The help
// file is opened with xdg-open (macOS: open).
#include <fcntl.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

#include "main/command_main.h"
#include "main/messages.h"
#include "platform/platform.h"
#include "platform/text_conversion.h"

namespace {

constexpr char kNoClipboardHint[] =
    "クリップボードのツールが見つかりません。wl-clipboard か xclip を入れるか、"
    "環境変数 KORVATEX_CLIPBOARD にクリップボードへ書くコマンドを設定してください。";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

bool IsOnPath(const std::string& name) {
  std::string path = Environment("PATH");
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(':', start);
    if (end == std::string::npos) end = path.size();
    std::string folder = path.substr(start, end - start);
    if (folder.empty()) folder = ".";
    const std::string candidate = folder + "/" + name;
    struct stat info;
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        access(candidate.c_str(), X_OK) == 0) {
      return true;
    }
    start = end + 1;
  }
  return false;
}

// A command, with what to do with its standard output and error.
struct Command {
  std::vector<std::string> argv;
  bool quiet = true;  // send its output to /dev/null
};

// Runs `command` with `input` on its standard input; true when it exits 0.
bool RunCommand(const Command& command, std::string_view input) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(pipe_fds[0]);
    close(pipe_fds[1]);
    return false;
  }
  if (child == 0) {
    dup2(pipe_fds[0], STDIN_FILENO);
    close(pipe_fds[0]);
    close(pipe_fds[1]);
    if (command.quiet) {
      const int null_fd = open("/dev/null", O_WRONLY);
      if (null_fd >= 0) {
        dup2(null_fd, STDOUT_FILENO);
        dup2(null_fd, STDERR_FILENO);
        close(null_fd);
      }
    }
    std::vector<char*> argv;
    for (const std::string& arg : command.argv) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(pipe_fds[0]);
  size_t written = 0;
  while (written < input.size()) {
    const ssize_t n = write(pipe_fds[1], input.data() + written, input.size() - written);
    if (n <= 0) break;  // the command stopped reading; its status decides
    written += static_cast<size_t>(n);
  }
  close(pipe_fds[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct ClipboardBackend {
  Command clear;
  bool clear_with_empty_input = true;
  Command set;
};

std::optional<ClipboardBackend> ChooseClipboardBackend() {
  const std::string custom = Environment("KORVATEX_CLIPBOARD");
  if (!custom.empty()) {
    const Command shell{{"/bin/sh", "-c", custom}, /*quiet=*/false};
    return ClipboardBackend{shell, true, shell};
  }
  if (!Environment("WAYLAND_DISPLAY").empty() && IsOnPath("wl-copy")) {
    return ClipboardBackend{{{"wl-copy", "--clear"}}, false, {{"wl-copy"}}};
  }
  if (!Environment("DISPLAY").empty()) {
    if (IsOnPath("xclip")) {
      const Command xclip{{"xclip", "-selection", "clipboard", "-i"}};
      return ClipboardBackend{xclip, true, xclip};
    }
    if (IsOnPath("xsel")) {
      return ClipboardBackend{
          {{"xsel", "--clipboard", "--clear"}}, false, {{"xsel", "--clipboard", "--input"}}};
    }
  }
#ifdef __APPLE__
  if (IsOnPath("pbcopy")) {
    const Command pbcopy{{"pbcopy"}};
    return ClipboardBackend{pbcopy, true, pbcopy};
  }
#endif
  return std::nullopt;
}

class PosixPlatform : public Platform {
 public:
  explicit PosixPlatform(std::string codeset) : codeset_(std::move(codeset)) {}

  bool OpenClipboard() override {
    if (!chosen_) {
      backend_ = ChooseClipboardBackend();
      chosen_ = true;
    }
    return backend_.has_value();
  }

  // Every run empties the clipboard at its start and again just before it
  // hands over its result; the second time there is nothing to empty, and
  // starting the clipboard tool once more would only cost time.
  bool EmptyClipboard() override {
    if (!backend_) return false;
    if (!emptied_) emptied_ = RunCommand(backend_->clear, "");
    return emptied_;
  }

  bool SetClipboardText(std::string_view text) override {
    if (!backend_) return false;
    emptied_ = false;
    return RunCommand(backend_->set, FromCp932(text, "UTF-8"));
  }

  void CloseClipboard() override {}

  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon) override {
    std::string line(caption);
    line += ": ";
    line += text;
    line += "\n";
    const std::string shown = FromCp932(line, codeset_);
    std::fwrite(shown.data(), 1, shown.size(), stderr);
    std::fflush(stderr);
  }

  void OpenWithViewer(std::string_view path) override {
#ifdef __APPLE__
    const char* viewer = "open";
#else
    const char* viewer = "xdg-open";
#endif
    if (IsOnPath(viewer)) RunCommand({{viewer, std::string(path)}}, "");
  }

  // True when no clipboard command could be found.
  bool LacksClipboard() const { return chosen_ && !backend_; }

 private:
  std::string codeset_;
  bool chosen_ = false;
  bool emptied_ = false;  // emptied by this run, nothing handed over since
  std::optional<ClipboardBackend> backend_;
};

// The resolved absolute path of the running program, so that its files are
// found beside the real program even when it is started through a symlink.
std::string ProgramPath(const char* argv0) {
#ifdef __APPLE__
  char raw[PATH_MAX];
  uint32_t size = sizeof raw;
  if (_NSGetExecutablePath(raw, &size) == 0) {
    char resolved[PATH_MAX];
    if (realpath(raw, resolved) != nullptr) return resolved;
  }
#else
  std::vector<char> buffer(PATH_MAX);
  while (true) {
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) break;
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
#endif
  char resolved[PATH_MAX];
  if (argv0 != nullptr && realpath(argv0, resolved) != nullptr) return resolved;
  return argv0 == nullptr ? std::string() : std::string(argv0);
}

// Some launchers start a program with standard input, output or error
// closed. A file or pipe opened later would then take that descriptor, and
// the pipe to the clipboard command would reach the command as the wrong
// one of its standard streams. /dev/null fills each closed one first (open
// takes the lowest free descriptor).
void OpenClosedStandardDescriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) open("/dev/null", O_RDWR);
  }
}

}  // namespace

int main(int argc, char** argv) {
  OpenClosedStandardDescriptors();
  std::signal(SIGPIPE, SIG_IGN);  // a clipboard command that quits early
  std::setlocale(LC_CTYPE, "");   // only to learn the codeset
  const std::string codeset = EffectiveCodeset(nl_langinfo(CODESET));

  std::vector<std::string> args{ProgramPath(argc > 0 ? argv[0] : nullptr)};
  for (int i = 1; i < argc; ++i) args.push_back(ToCp932(argv[i], codeset));
  std::vector<char*> arg_pointers;
  for (std::string& arg : args) arg_pointers.push_back(arg.data());
  arg_pointers.push_back(nullptr);

  PosixPlatform platform(codeset);
  const int code = RunCommandMain(static_cast<int>(args.size()), arg_pointers.data(), platform);
  if (code == kNoClipboard && platform.LacksClipboard()) {
    const std::string hint = FromCp932(std::string(kNoClipboardHint) + "\n", codeset);
    std::fwrite(hint.data(), 1, hint.size(), stderr);
  }
  return code;
}
