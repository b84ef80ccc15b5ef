#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/subprocess.h"

namespace {

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

// What the scratch file `fd` holds.
std::string ReadScratchFile(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = pread(fd, buffer, sizeof buffer, static_cast<off_t>(text.size()))) > 0) {
    text.append(buffer, static_cast<size_t>(n));
  }
  return text;
}

// Copies what the scratch file `fd` holds to standard error.
void ShowScratchFile(int fd) { WriteAll(STDERR_FILENO, ReadScratchFile(fd)); }

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

// In a forked child: SIGPIPE back to its default. This program ignores it,
// to report a reader that has gone; an ignored signal stays ignored across
// exec, and a tool or viewer that writes into a closed pipe should end as
// it would have, started from a shell.
void RestoreSigpipe() { std::signal(SIGPIPE, SIG_DFL); }

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
  posix_spawnattr_t attributes;  // SIGPIPE back to its default (RestoreSigpipe)
  posix_spawnattr_init(&attributes);
  sigset_t sigpipe;
  sigemptyset(&sigpipe);
  sigaddset(&sigpipe, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &sigpipe);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  std::vector<char*> argv = ArgumentPointers(tool.argv);
  pid_t child = -1;
  int error = posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ);
  if ((error == ENOENT || error == ENOEXEC) && !tool.shell_command.empty()) {
    char* shell[] = {const_cast<char*>("sh"), const_cast<char*>("-c"),
                     const_cast<char*>(tool.shell_command.c_str()), nullptr};
    error = posix_spawn(&child, "/bin/sh", &actions, &attributes, shell, environ);
  }
  posix_spawnattr_destroy(&attributes);
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
    RestoreSigpipe();
    Execute(tool.argv, tool.shell_command);
  }
  return child;
}
#endif

// How long a help viewer is given to fail before it is left to run: long
// enough for xdg-open to find no browser on a busy machine (0.2 to 0.6 s
// here, with a load of 5 on two cores), short enough that a viewer that
// runs never keeps the user waiting long.
constexpr int kViewerGraceMilliseconds = 1200;

}  // namespace

bool IsOnPath(const std::string& name, const std::string& path) {
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

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

namespace {

// True when process `pid` sleeps (state S in /proc/<pid>/stat), or when
// that cannot be told (no /proc).
bool Sleeps(pid_t pid) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
  FILE* file = std::fopen(path, "re");
  if (file == nullptr) return true;
  char stat[512];
  const size_t n = std::fread(stat, 1, sizeof stat - 1, file);
  std::fclose(file);
  stat[n] = '\0';
  const char* name_end = std::strrchr(stat, ')');  // the name may hold blanks
  return name_end == nullptr || name_end[1] != ' ' || name_end[2] == 'S';
}

// Milliseconds on a clock that only goes forward.
long long Milliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Waits for a tool that serves in the foreground (see `Tool::ready_message`)
// until it is ready and sleeps, or has ended: its process id and `status`
// when it ended, 0 while it goes on serving, -1 when it cannot be waited
// for. Its standard error is a scratch file, which stays writable for as
// long as it serves (a pipe would break when this program ends, and the
// tool would die of it in the middle of answering a request). Waits at
// most about three seconds; a tool that is not ready by then is left to
// serve.
pid_t WaitUntilServing(const Tool& tool, pid_t child, int error_fd, int* status) {
  const timespec step{0, 1000 * 1000};
  const long long start = Milliseconds();
  bool ready = false;
  pid_t done = 0;
  while (Milliseconds() - start < 3000) {
    while ((done = waitpid(child, status, WNOHANG)) < 0 && errno == EINTR) {
    }
    if (done != 0) return done;
    if (!ready) {
      ready =
          error_fd >= 0 && ReadScratchFile(error_fd).find(tool.ready_message) != std::string::npos;
      // After its message it sends its request and sleeps until the display
      // answers; its first sleep is the sign that the request has gone out.
    } else if (Sleeps(child)) {
      break;
    }
    nanosleep(&step, nullptr);
  }
  return 0;
}

}  // namespace

bool RunTool(const Tool& tool, std::string_view input) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return false;
  const int error_fd = OpenScratchFile();
  const pid_t child = SpawnTool(tool, pipe_fds[0], error_fd);
  close(pipe_fds[0]);
  if (child > 0) WriteAll(pipe_fds[1], input);  // a tool that stops reading: its status decides
  close(pipe_fds[1]);
  bool ok = child > 0;
  if (ok) {
    int status = 0;
    pid_t done = child;
    if (tool.ready_message.empty()) {
      while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
      }
    } else {
      done = WaitUntilServing(tool, child, error_fd, &status);
    }
    if (done == child) {
      ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
      if (!ok && error_fd >= 0) ShowScratchFile(error_fd);
    } else {
      ok = done == 0;
    }
  }
  if (error_fd >= 0) close(error_fd);
  return ok;
}

bool StartViewer(const std::vector<std::string>& argv) {
  if (argv.empty()) return false;
  const pid_t child = fork();
  if (child == 0) {
    setsid();
    Redirect(-1, STDIN_FILENO);
    Redirect(-1, STDOUT_FILENO);
    Redirect(-1, STDERR_FILENO);
    CloseOtherDescriptors();
    RestoreSigpipe();
    Execute(argv);
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
