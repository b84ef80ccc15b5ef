// The POSIX platform: Linux first, macOS where it costs little.
//
// Arguments arrive in the locale's encoding and are converted to CP932.
// The clipboard is a tool that takes UTF-8 text on standard input:
// $KORVATEX_CLIPBOARD when set, else wl-copy on Wayland, xclip or xsel on
// X11, pbcopy on macOS; without any graphical session it is standard
// output. Texts leave with LF line ends. Messages go to standard error as
// one line, "caption: text". The help file is opened with xdg-open (macOS:
// open), and the HTML copy of the help when that fails.
#include <fcntl.h>
#include <langinfo.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

#include "main/command_main.h"
#include "main/messages.h"
#include "main/platform.h"
#include "platform/text_conversion.h"
#include "text/path.h"
#include "text/texts.h"
#include "text/version.h"

namespace {

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

// Writes all of `bytes` to `fd`; false when a write fails.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// An anonymous file for a tool's error output. Clipboard tools fork and go
// on serving the clipboard with the descriptors they inherited, so a pipe
// would not reach its end while they run; a file can be read as soon as the
// tool's own process has exited. -1 when none can be made.
int OpenScratchFile() {
#ifdef __linux__
  const int memory_fd = memfd_create("korvatex-stderr", MFD_CLOEXEC);
  if (memory_fd >= 0) return memory_fd;
#endif
  FILE* file = std::tmpfile();
  if (file == nullptr) return -1;
  const int fd = fcntl(fileno(file), F_DUPFD_CLOEXEC, 0);
  std::fclose(file);
  return fd;
}

// Copies what the scratch file `fd` holds to standard error.
void ShowScratchFile(int fd) {
  char buffer[4096];
  ssize_t n;
  off_t offset = 0;
  while ((n = pread(fd, buffer, sizeof buffer, offset)) > 0) {
    WriteAll(STDERR_FILENO, std::string_view(buffer, static_cast<size_t>(n)));
    offset += n;
  }
}

// In a forked child: `fd` becomes `target`, or /dev/null when `fd` is -1.
void Redirect(int fd, int target) {
  if (fd < 0) {
    fd = open("/dev/null", O_RDWR);
    if (fd < 0) return;
  }
  if (fd != target) dup2(fd, target);
}

// In a forked child: closes every descriptor above standard error, so that
// a tool that stays in the background holds no file of this program.
void CloseOtherDescriptors() {
#if defined(__linux__) && defined(SYS_close_range)
  if (syscall(SYS_close_range, 3u, ~0u, 0) == 0) return;
#endif
  const long limit = sysconf(_SC_OPEN_MAX);
  for (int fd = 3; fd < (limit > 0 && limit < 65536 ? limit : 1024); ++fd) close(fd);
}

// The C argument vector of `args`: pointers into them, then a null.
std::vector<char*> ArgumentPointers(const std::vector<std::string>& args) {
  std::vector<char*> pointers;
  for (const std::string& arg : args) pointers.push_back(const_cast<char*>(arg.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

// In a forked child: runs `argv`. A first word that names no program may be
// one the shell knows itself (such as ":"), so `shell_command`, when given,
// is then run by /bin/sh. Otherwise reports on standard error why the
// program could not be started and ends with 127, as a shell does.
[[noreturn]] void Execute(const std::vector<std::string>& argv,
                          const std::string& shell_command = std::string()) {
  std::vector<char*> pointers = ArgumentPointers(argv);
  execvp(pointers[0], pointers.data());
  if (errno == ENOENT && !shell_command.empty()) {
    execl("/bin/sh", "sh", "-c", shell_command.c_str(), static_cast<char*>(nullptr));
  }
  const std::string reason = "korvatex: " + argv[0] + ": " + std::strerror(errno) + "\n";
  WriteAll(STDERR_FILENO, reason);
  _exit(127);
}

// A clipboard tool and what becomes of its standard output.
struct Tool {
  Tool(std::vector<std::string> words = {}) : argv(std::move(words)) {}  // NOLINT: implicit
  std::vector<std::string> argv;
  bool shows_output = false;  // false: its standard output goes to /dev/null
  std::string shell_command;  // run by /bin/sh when argv[0] names no program
};

#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
#define KORVATEX_SPAWN_TOOLS 1
#endif

#ifdef KORVATEX_SPAWN_TOOLS
// Starts `tool` with `input_fd` as its standard input and `error_fd` (or
// /dev/null) as its standard error, every other descriptor closed. On glibc
// with posix_spawn, which does not copy this process first: a launch costs
// about a millisecond less, and every successful run launches the tool
// twice. A first word that names no program (or a script without a "#!"
// line) falls back to the shell, as execvp would; any other failure is
// reported on standard error as the tool's own words.
pid_t SpawnTool(const Tool& tool, int input_fd, int error_fd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input_fd, STDIN_FILENO);
  if (!tool.shows_output) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  if (error_fd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, error_fd, STDERR_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  }
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  std::vector<char*> argv = ArgumentPointers(tool.argv);
  pid_t child = -1;
  int error = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  if ((error == ENOENT || error == ENOEXEC) && !tool.shell_command.empty()) {
    char* shell[] = {const_cast<char*>("sh"), const_cast<char*>("-c"),
                     const_cast<char*>(tool.shell_command.c_str()), nullptr};
    error = posix_spawn(&child, "/bin/sh", &actions, nullptr, shell, environ);
  }
  posix_spawn_file_actions_destroy(&actions);
  if (error == 0) return child;
  WriteAll(STDERR_FILENO, "korvatex: " + tool.argv[0] + ": " + std::strerror(error) + "\n");
  return -1;
}
#else
pid_t SpawnTool(const Tool& tool, int input_fd, int error_fd) {
  const pid_t child = fork();
  if (child == 0) {
    Redirect(input_fd, STDIN_FILENO);
    if (!tool.shows_output) Redirect(-1, STDOUT_FILENO);
    Redirect(error_fd, STDERR_FILENO);
    CloseOtherDescriptors();
    Execute(tool.argv, tool.shell_command);
  }
  return child;
}
#endif

// Runs `tool` with `input` on its standard input; true when it exits 0.
// When it fails, what it wrote on its standard error is shown.
bool RunTool(const Tool& tool, std::string_view input) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return false;
  const int error_fd = OpenScratchFile();
  const pid_t child = SpawnTool(tool, pipe_fds[0], error_fd);
  close(pipe_fds[0]);
  bool ok = child > 0;
  if (ok) {
    WriteAll(pipe_fds[1], input);  // a tool that stops reading: its status decides
    close(pipe_fds[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!ok && error_fd >= 0) ShowScratchFile(error_fd);
  } else {
    close(pipe_fds[1]);
  }
  if (error_fd >= 0) close(error_fd);
  return ok;
}

// True when `command` holds none of the characters that make shell syntax,
// so that its words can be run without a shell.
bool IsPlainWords(std::string_view command) {
  return command.find_first_of("'\"$`\\|&;<>()*?[#~=%\n") == std::string_view::npos;
}

// The tool that $KORVATEX_CLIPBOARD names: its blank-separated words when
// they are plain, else the command run by /bin/sh.
Tool ToolFromSetting(const std::string& command) {
  Tool tool;
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

// Where clipboard texts go. Emptying runs `empty` with no input; a text is
// handed to `hand_over`. Standard output takes the texts itself.
struct ClipboardBackend {
  bool is_standard_output = false;
  Tool empty;
  Tool hand_over;
};

// The backend to use; none, with the hint that names what to install.
std::optional<ClipboardBackend> ChooseClipboardBackend(const char** hint) {
  const std::string custom = Environment("KORVATEX_CLIPBOARD");
  if (!custom.empty()) {
    const Tool tool = ToolFromSetting(custom);
    return ClipboardBackend{false, tool, tool};
  }
  const bool wayland = !Environment("WAYLAND_DISPLAY").empty();
  const bool x11 = !Environment("DISPLAY").empty();
  // wl-copy --clear leaves the text in place on some compositors; an empty
  // text replaces it everywhere.
  if (wayland && IsOnPath("wl-copy")) {
    const Tool wl_copy{{"wl-copy"}};
    return ClipboardBackend{false, wl_copy, wl_copy};
  }
  if (x11 && IsOnPath("xclip")) {
    const Tool xclip{{"xclip", "-selection", "clipboard", "-i"}};
    return ClipboardBackend{false, xclip, xclip};
  }
  if (x11 && IsOnPath("xsel")) {
    return ClipboardBackend{
        false, {{"xsel", "--clipboard", "--clear"}}, {{"xsel", "--clipboard", "--input"}}};
  }
#ifdef __APPLE__
  if (IsOnPath("pbcopy")) {
    const Tool pbcopy{{"pbcopy"}};
    return ClipboardBackend{false, pbcopy, pbcopy};
  }
  *hint = texts::kNoClipboardToolHint;
#else
  if (!wayland && !x11) return ClipboardBackend{true, {}, {}};
  *hint = wayland ? texts::kInstallWlClipboardHint : texts::kInstallXclipHint;
#endif
  return std::nullopt;
}

// `text` with every CR LF made LF, the line end of POSIX systems. CR and LF
// are never the second byte of a CP932 character.
std::string WithLfLineEnds(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result += text[i];
  }
  return result;
}

// Writes `text` (CP932) to `stream` in `codeset`; false when that fails.
bool Print(FILE* stream, std::string_view text, const std::string& codeset) {
  const std::string shown = FromCp932(text, codeset);
  return std::fwrite(shown.data(), 1, shown.size(), stream) == shown.size() &&
         std::fflush(stream) == 0;
}

// How long the help viewer is given to fail before it is left to run.
constexpr int kViewerGraceMilliseconds = 400;
// The HTML copy of the help, beside the help file.
constexpr char kHtmlHelpPage[] = "html/index.htm";

// Starts `viewer file` in a session of its own, its output discarded. True
// when it is still running after the grace time (a viewer in the
// foreground) or has ended with 0; false when it could not be started or
// ended with another status. The program never waits for the viewer itself.
bool StartViewer(const char* viewer, const std::string& file) {
  const pid_t child = fork();
  if (child == 0) {
    setsid();
    Redirect(-1, STDIN_FILENO);
    Redirect(-1, STDOUT_FILENO);
    Redirect(-1, STDERR_FILENO);
    CloseOtherDescriptors();
    Execute({viewer, file});
  }
  if (child < 0) return false;
  const timespec step{0, 5 * 1000 * 1000};
  for (int waited = 0; waited < kViewerGraceMilliseconds; waited += 5) {
    int status = 0;
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (done < 0 && errno != EINTR) return false;
    nanosleep(&step, nullptr);
  }
  return true;
}

bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

class PosixPlatform : public Platform {
 public:
  explicit PosixPlatform(std::string codeset) : codeset_(std::move(codeset)) {}

  bool OpenClipboard() override {
    if (!chosen_) {
      backend_ = ChooseClipboardBackend(&missing_tool_hint_);
      chosen_ = true;
    }
    return backend_.has_value();
  }

  // Every run empties the clipboard at its start and again just before it
  // hands over its result; the second time there is nothing to empty, and
  // starting the clipboard tool once more would only cost time. Standard
  // output has nothing to empty.
  bool EmptyClipboard() override {
    if (!backend_) return false;
    if (!emptied_) emptied_ = backend_->is_standard_output || RunTool(backend_->empty, "");
    return emptied_;
  }

  bool SetClipboardText(std::string_view text) override {
    if (!backend_) return false;
    emptied_ = false;
    const std::string lf_text = WithLfLineEnds(text);
    if (!backend_->is_standard_output) {
      return RunTool(backend_->hand_over, FromCp932(lf_text, "UTF-8"));
    }
    const bool ends_line = !lf_text.empty() && lf_text.back() == '\n';
    return Print(stdout, ends_line ? lf_text : lf_text + "\n", codeset_);
  }

  void CloseClipboard() override {}

  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon) override {
    std::string line(caption);
    line += ": ";
    line += text;
    line += "\n";
    Print(stderr, line, codeset_);
  }

  // The help file with xdg-open, else the HTML copy of the help beside it;
  // when neither opens, one line tells where the help is.
  void OpenWithViewer(std::string_view path) override {
#ifdef __APPLE__
    const char* viewer = "open";
#else
    const char* viewer = "xdg-open";
#endif
    const std::string html = SiblingPath(path, kHtmlHelpPage);
    const bool has_viewer = IsOnPath(viewer);
    if (has_viewer && StartViewer(viewer, std::string(path))) return;
    const bool has_html = FileExists(html);
    if (has_viewer && has_html && StartViewer(viewer, html)) return;
    const std::string line = has_html ? FromCp932(texts::kHelpIsAtBefore, codeset_) + html +
                                            FromCp932(texts::kHelpIsAtAfter, codeset_)
                                      : FromCp932(texts::kHelpIsInManPage, codeset_);
    WriteAll(STDERR_FILENO, line + "\n");
  }

  // The hint when no clipboard tool was found, else null.
  const char* MissingToolHint() const { return chosen_ && !backend_ ? missing_tool_hint_ : nullptr; }

 private:
  std::string codeset_;
  bool chosen_ = false;
  bool emptied_ = false;  // emptied by this run, nothing handed over since
  std::optional<ClipboardBackend> backend_;
  const char* missing_tool_hint_ = nullptr;
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

// The user's own settings file, $XDG_CONFIG_HOME/korvatex/KORVATEX.INI
// (~/.config when XDG_CONFIG_HOME is unset, empty or not absolute).
std::string PersonalSettingsFile() {
  std::string base = Environment("XDG_CONFIG_HOME");
  if (base.empty() || base[0] != '/') {
    const std::string home = Environment("HOME");
    if (home.empty()) return std::string();
    base = home + "/.config";
  }
  return base + "/korvatex/KORVATEX.INI";
}

// "--help"/"-h" and "--version"/"-V", each only as the only argument: the
// usage or the version on standard output, code 0, the clipboard not
// touched. No value for every other argument list.
std::optional<int> RunOption(int argc, char** argv, const std::string& codeset) {
  if (argc != 2) return std::nullopt;
  const std::string_view option = argv[1];
  if (option == "--help" || option == "-h") {
    Print(stdout, texts::kUsage, codeset);
  } else if (option == "--version" || option == "-V") {
    Print(stdout, std::string("korvatex ") + kVersion + "\n" + texts::kVersionNotice, codeset);
  } else {
    return std::nullopt;
  }
  return kSuccess;
}

}  // namespace

int main(int argc, char** argv) {
  OpenClosedStandardDescriptors();
  std::signal(SIGPIPE, SIG_IGN);  // a clipboard command that quits early
  std::setlocale(LC_CTYPE, "");   // only to learn the codeset
  const std::string codeset = EffectiveCodeset(nl_langinfo(CODESET));
  if (const std::optional<int> code = RunOption(argc, argv, codeset)) return *code;

  std::vector<std::string> args{ProgramPath(argc > 0 ? argv[0] : nullptr)};
  for (int i = 1; i < argc; ++i) args.push_back(ToCp932(argv[i], codeset));
  std::vector<char*> arg_pointers;
  for (std::string& arg : args) arg_pointers.push_back(arg.data());
  arg_pointers.push_back(nullptr);

  PosixPlatform platform(codeset);
  const int code = RunCommandMain(static_cast<int>(args.size()), arg_pointers.data(), platform,
                                  PersonalSettingsFile());
  if (code == kNoClipboard && platform.MissingToolHint() != nullptr) {
    Print(stderr, std::string(platform.MissingToolHint()) + "\n", codeset);
  }
  return code;
}
