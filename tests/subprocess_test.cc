#include "platform/subprocess.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#ifdef __linux__
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#endif

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <ctime>
#include <iterator>

#include "child_processes.h"
#include "test_support.h"

namespace {

Program MakeProgram(std::vector<std::string> argv, bool shows_output,
                    std::string shell_command = "") {
  Program program(std::move(argv));
  program.shows_output = shows_output;
  program.shell_command = std::move(shell_command);
  return program;
}

TEST(SubprocessTest, IsOnPathFindsExecutableFilesOnly) {
  ScratchFolder folder;
  chmod(folder.Write("tool", "#!/bin/sh\n").c_str(), 0700);
  folder.Write("plain", "");
  mkdir(folder.File("dir").c_str(), 0700);
  const struct {
    const char* name;
    std::string path;
    bool found;
  } cases[] = {
      {"tool", folder.path(), true},
      {"plain", folder.path(), false},
      {"dir", folder.path(), false},
      {"tool", "/nonexistent:" + folder.path(), true},
      {"tool", folder.path() + ":", true},
      {"tool", "/nonexistent", false},
      {"tool", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsOnPath(c.name, c.path), c.found) << c.name << " in " << c.path;
  }
}

TEST(SubprocessTest, RunProgramFeedsItAndShowsItsErrorsOnlyWhenItFails) {
  std::signal(SIGPIPE, SIG_IGN);  // as the program does: programs may not read their input
  // Descriptor 3 open and inheritable: the programs started must not get it.
  const int saved = fcntl(3, F_DUPFD_CLOEXEC, 10);  // -1 when 3 is not open
  const int null_fd = open("/dev/null", O_RDONLY);
  if (null_fd != 3) dup2(null_fd, 3), close(null_fd);
  ScratchFolder folder;
  const std::string file = folder.File("out");
  // A script without a "#!" line: only the shell can run it.
  const std::string script = folder.Write("script", "echo from-script > '" + file + "'\n");
  chmod(script.c_str(), 0700);
  const struct {
    Program program;
    bool ok;
    std::string output, errors, file;
  } cases[] = {
      {{{"sh", "-c", "cat > '" + file + "'; echo fine >&2"}}, true, "", "", "input"},
      {{{"sh", "-c", "echo oops >&2; exit 3"}}, false, "", "oops\n", ""},
      {{{"sh", "-c", "echo shown"}}, true, "", "", ""},
      {MakeProgram({"echo", "shown"}, true), true, "shown\n", "", ""},
      {{{":"}}, false, "", "korvatex: :: No such file or directory\n", ""},
      {MakeProgram({":"}, false, ":"), true, "", "", ""},
      {MakeProgram({script}, false, script), true, "", "", "from-script\n"},
      {{{script}}, false, "", "korvatex: " + script + ": Exec format error\n", ""},
      {MakeProgram({"sh", "-c", "ls /proc/$$/fd"}, true), true, "0\n1\n2\n", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program.argv.back());
    std::remove(file.c_str());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram(c.program, "input"), c.ok);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.errors);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.output);
    EXPECT_EQ(ReadFile(file), c.file);
  }
  if (saved >= 0) dup2(saved, 3), close(saved);
  if (saved < 0) close(3);
}

TEST(SubprocessTest, AProgramWithAReadyCheckIsWaitedForUntilReady) {
  const ChildProcessReaper reaper;  // ends the programs left to run
  std::signal(SIGPIPE, SIG_IGN);    // as the program does: a program may end without reading
  ScratchFolder folder;
  const std::string file = folder.File("out");
  const struct {
    std::string script;
    bool ok;
    std::string errors, file;
  } cases[] = {
      // Ready, then running on: left to run, long before it ends.
      {"cat > '" + file + "'; echo ready >&2; exec sleep 3", true, "", "input"},
      {"echo cannot serve >&2; exit 1", false, "cannot serve\n", ""},
      {"cat > '" + file + "'", true, "", "input"},  // ends at once, without a word
      // Ends well after it was ready: its words are not shown.
      {"cat > '" + file + "'; echo ready >&2", true, "", "input"},
  };
  const ReadyCheck says_ready = [](pid_t, std::string_view errors) {
    return errors.find("ready") != std::string_view::npos;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    std::remove(file.c_str());
    Program program({"sh", "-c", c.script});
    program.is_ready = says_ready;
    const auto start = std::chrono::steady_clock::now();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram(program, "input"), c.ok);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.errors);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
    EXPECT_EQ(ReadFile(file), c.file);
  }
  // Never ready: left to run once the limit has passed.
  Program never_ready({"sh", "-c", "exec sleep 3"});
  never_ready.is_ready = says_ready;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(RunProgram(never_ready, "input", {1200, 50}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

TEST(SubprocessTest, StartViewerWaitsOnlyForAViewerThatFailsAtOnce) {
  const ChildProcessReaper reaper;  // ends the viewer left to run, waits for those that ended
  // A viewer that ends is waited for only until it ends, however long the
  // grace; one that runs on is waited for the whole grace.
  const LaunchWaits short_grace{100, 3000}, long_grace{5000, 3000};
  EXPECT_TRUE(StartViewer({"true", "file"}, long_grace));
  EXPECT_FALSE(StartViewer({"false", "file"}, long_grace));
  EXPECT_FALSE(StartViewer({"/nonexistent/viewer", "file"}, long_grace));
  EXPECT_FALSE(StartViewer({"sh", "-c", "sleep 0.05; exit 3"}, long_grace));  // fails late
  // Still running after the grace time: left to run. The grace is slept
  // through in steps, not spent looking again and again.
  const std::clock_t cpu = std::clock();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(StartViewer({"sleep", "5"}, short_grace));
  EXPECT_LT(std::clock() - cpu, CLOCKS_PER_SEC / 40);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

#ifdef __linux__
// In a child process: makes every write to `fd` return 0, taking nothing,
// as a device may; false when the system does not let it.
bool WritesTakeNothing(int fd) {
  constexpr size_t kLowWord = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__ ? 4 : 0;
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_write, 0, 3),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0]) + kLowWord),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<__u32>(fd), 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | 0),  // returns 0, errno untouched
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}
#endif

// WriteAll in a child process, with errno EINTR from before, as a failed
// wait may leave it: 1 when it says everything was written, 0 when it says
// not, 2 when the child could not be set up; -1 when it did not end.
int WriteAllInAChild(const char* device, bool takes_nothing) {
  const int fd = open(device, O_WRONLY);
  const pid_t child = fork();
  if (child == 0) {
    alarm(5);
#ifdef __linux__
    if (takes_nothing && !WritesTakeNothing(fd)) _exit(2);
#else
    if (takes_nothing) _exit(2);
#endif
    errno = EINTR;
    _exit(WriteAll(fd, "x") ? 1 : 0);
  }
  close(fd);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SubprocessTest, WriteAllWritesEverythingOrSaysItCannot) {
  const struct {
    const char* device;
    bool takes_nothing;
    int result;
  } cases[] = {
      {"/dev/null", false, 1},
      {"/dev/full", false, 0},
      // A write that takes nothing ends it: only one that fails with EINTR
      // is tried again, not one that leaves an earlier EINTR in errno.
      {"/dev/null", true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.device) + (c.takes_nothing ? ", taking nothing" : ""));
    const int result = WriteAllInAChild(c.device, c.takes_nothing);
    if (result == 2) GTEST_SKIP() << "no seccomp filter here to make a write take nothing";
    EXPECT_EQ(result, c.result);
  }
}

}  // namespace
