#include "platform/subprocess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

// An anonymous file for a program's error output. Clipboard tools fork and go
// on serving the clipboard with the descriptors they inherited, so a pipe
// would not reach its end while they run; a file can be read as soon as the
// program's own process has exited. -1 when none can be made.
int OpenScratchFile() {
#ifdef __linux__
  return memfd_create("korvatex-stderr", MFD_CLOEXEC);
#else
  FILE* file = std::tmpfile();
  if (file == nullptr) return -1;
  const int fd = fcntl(fileno(file), F_DUPFD_CLOEXEC, 0);
  std::fclose(file);
  return fd;
#endif
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

// Says on standard error why `program` could not be started.
void ReportCannotStart(const std::string& program, int error) {
  WriteAll(STDERR_FILENO, "korvatex: " + program + ": " + std::strerror(error) + "\n");
}

// The C argument vector of `args`: pointers into them, then a null.
std::vector<char*> ArgumentPointers(const std::vector<std::string>& args) {
  std::vector<char*> pointers;
  for (const std::string& arg : args) pointers.push_back(const_cast<char*>(arg.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

// Starts `program` with `input_fd` as its standard input and `error_fd` as its
// standard error (-1: /dev/null), every other descriptor closed and SIGPIPE
// back to its default: this program ignores it, to report a reader that has
// gone, and an ignored signal would stay ignored across exec. In a session
// of its own when `new_session`. A first word that names no program may be
// one the shell knows itself (such as ":"), or a script without a "#!"
// line, so `program.shell_command`, when given, is then run by /bin/sh. The
// child's process id, or none, with errno set, when it could not be started.
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
// glibc's posix_spawn does not copy this process first: a launch costs about
// a millisecond less than fork, and every successful run launches a
// clipboard tool twice. It also tells at once why a program did not start.

// `fd` becomes the child's `target`, or /dev/null when `fd` is -1.
void Attach(posix_spawn_file_actions_t* actions, int fd, int target) {
  if (fd < 0) {
    posix_spawn_file_actions_addopen(actions, target, "/dev/null", O_RDWR, 0);
  } else if (fd != target) {
    posix_spawn_file_actions_adddup2(actions, fd, target);
  }
}

std::optional<pid_t> Spawn(const Program& program, int input_fd, int error_fd, bool new_session) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  Attach(&actions, input_fd, STDIN_FILENO);
  Attach(&actions, program.shows_output ? STDOUT_FILENO : -1, STDOUT_FILENO);
  Attach(&actions, error_fd, STDERR_FILENO);
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t sigpipe;
  sigemptyset(&sigpipe);
  sigaddset(&sigpipe, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &sigpipe);
  short flags = POSIX_SPAWN_SETSIGDEF;
  if (new_session) flags |= POSIX_SPAWN_SETSID;
  posix_spawnattr_setflags(&attributes, flags);
  std::vector<char*> argv = ArgumentPointers(program.argv);
  pid_t child;
  int error = posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ);
  if ((error == ENOENT || error == ENOEXEC) && !program.shell_command.empty()) {
    char* shell[] = {const_cast<char*>("sh"), const_cast<char*>("-c"),
                     const_cast<char*>(program.shell_command.c_str()), nullptr};
    error = posix_spawn(&child, "/bin/sh", &actions, &attributes, shell, environ);
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    errno = error;
    return std::nullopt;
  }
  return child;
}
#else
// Elsewhere fork and exec. A program that cannot be started is only known
// in the child, which says why on its standard error and ends with 127, as
// a shell does.

// In the child: `fd` becomes `target`, or /dev/null when `fd` is -1.
void Redirect(int fd, int target) {
  if (fd < 0) fd = open("/dev/null", O_RDWR);
  if (fd != target) dup2(fd, target);
}

// In the child: closes every descriptor above standard error, so that a
// program that stays in the background holds no file of this program.
void CloseOtherDescriptors() {
  const long limit = sysconf(_SC_OPEN_MAX);
  for (int fd = STDERR_FILENO + 1; fd < (limit > 0 && limit < 65536 ? limit : 1024); ++fd) {
    close(fd);
  }
}

std::optional<pid_t> Spawn(const Program& program, int input_fd, int error_fd, bool new_session) {
  const pid_t child = fork();
  if (child < 0) return std::nullopt;
  if (child > 0) return child;
  if (new_session) setsid();
  Redirect(input_fd, STDIN_FILENO);
  Redirect(program.shows_output ? STDOUT_FILENO : -1, STDOUT_FILENO);
  Redirect(error_fd, STDERR_FILENO);
  CloseOtherDescriptors();
  std::signal(SIGPIPE, SIG_DFL);
  std::vector<char*> argv = ArgumentPointers(program.argv);
  execvp(argv[0], argv.data());
  if (errno == ENOENT && !program.shell_command.empty()) {
    execl("/bin/sh", "sh", "-c", program.shell_command.c_str(), static_cast<char*>(nullptr));
  }
  ReportCannotStart(program.argv[0], errno);
  _exit(127);
}
#endif

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

// Read with open and pread: a file stream would link libstdc++'s locale
// and random_device code into the program, and with it a symbol that needs
// glibc 2.36 (arc4random), which Ubuntu 22.04 lacks.
bool ProcessSleeps(pid_t pid) {
  const int fd = open(("/proc/" + std::to_string(pid) + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
  const std::string stat = fd < 0 ? std::string() : ReadScratchFile(fd);
  if (fd >= 0) close(fd);
  const size_t name_end = stat.rfind(')');  // the name may hold blanks and brackets
  return name_end == std::string::npos || stat.compare(name_end, 3, ") S") == 0;
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

// Milliseconds on a clock that only goes forward.
long long Milliseconds() {
  using std::chrono::milliseconds;
  using std::chrono::steady_clock;
  return std::chrono::duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Looks every millisecond whether `child` has ended, for at most
// `limit_ms` and for as long as `keep_waiting()` says so: its process id
// and `status` when it ended, 0 when it still runs, -1 when it cannot be
// waited for.
template <typename KeepWaiting>
pid_t WaitAWhile(pid_t child, int* status, long long limit_ms, KeepWaiting keep_waiting) {
  const timespec step{0, 1000 * 1000};
  const long long deadline = Milliseconds() + limit_ms;
  while (Milliseconds() < deadline) {
    const pid_t done = waitpid(child, status, WNOHANG);
    if (done != 0) return done;
    if (!keep_waiting()) break;
    nanosleep(&step, nullptr);
  }
  return 0;
}

// True when the process that `waitpid` gave as `done`, with `status`, is
// `child` and ended with 0.
bool EndedWell(pid_t child, pid_t done, int status) {
  return done == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Waits for `program`, started as `child` with the scratch file `error_fd`
// as its standard error, waiting at most `ready_limit_ms` for one with a
// ready check. True when it ended with 0, is ready or still runs; when it
// failed, shows its words on standard error.
bool WaitForProgram(const Program& program, pid_t child, int error_fd, int ready_limit_ms) {
  int status = 0;
  pid_t done;
  if (!program.is_ready) {
    while ((done = waitpid(child, &status, 0)) < 0 && errno == EINTR) {
    }
  } else {
    // A program that goes on running in the foreground is waited for until
    // it is ready or has ended. Its standard error is a scratch file, which
    // stays writable for as long as it runs (a pipe would break when this
    // program ends, and the program would die of it in the middle of its
    // work). One that is not ready within the limit is left to run.
    done = WaitAWhile(child, &status, ready_limit_ms, [&] {
      return !program.is_ready(child, error_fd >= 0 ? ReadScratchFile(error_fd) : std::string());
    });
  }
  if (done == 0 || EndedWell(child, done, status)) return true;
  if (done == child && error_fd >= 0) WriteAll(STDERR_FILENO, ReadScratchFile(error_fd));
  return false;
}

}  // namespace

bool RunProgram(const Program& program, std::string_view input, const LaunchWaits& waits) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return false;
  const int error_fd = OpenScratchFile();
  const std::optional<pid_t> child = Spawn(program, pipe_fds[0], error_fd, program.own_session);
  const int spawn_error = errno;
  close(pipe_fds[0]);
  if (child) WriteAll(pipe_fds[1], input);  // one that stops reading: its status decides
  close(pipe_fds[1]);
  const bool ok = child && WaitForProgram(program, *child, error_fd, waits.ready_limit_ms);
  if (!child) ReportCannotStart(program.argv[0], spawn_error);
  if (error_fd >= 0) close(error_fd);
  return ok;
}

bool StartViewer(const std::vector<std::string>& argv, const LaunchWaits& waits) {
  if (argv.empty()) return false;
  const std::optional<pid_t> child = Spawn(Program(argv), -1, -1, true);
  if (!child) return false;
  int status = 0;
  const pid_t done = WaitAWhile(*child, &status, waits.viewer_grace_ms, [] { return true; });
  return done == 0 || EndedWell(*child, done, status);
}
