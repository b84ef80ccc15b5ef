// The launcher of every test of a CTest run (tests/CMakeLists.txt): the
// GoogleTest tests run through it as their "emulator", the others name it
// in their command.
//   korvatex_test_launcher [--test NAME] COMMAND ARGS...
// runs COMMAND and ends with its status, unless the command leaves
// processes running: then it names each on standard error, with the test
// (NAME; for a GoogleTest test, its --gtest_filter; else the command),
// ends them and fails. The launcher is the "subreaper" of all that the
// command starts: a process left without a parent, also in a session of
// its own or with its environment cleared, comes to it, not to init, so
// that none escapes. A process still running half a second after the
// command ended is left running; one that is ending by then is not. A
// termination signal is passed on to the command, which is also told to
// end when the launcher is killed.
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "child_processes.h"

namespace {

volatile sig_atomic_t command_pid = 0;

void PassOn(int signal) {
  if (command_pid > 0) kill(command_pid, signal);
}

int Launch(const std::string& test, char** argv) {
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  const pid_t launcher = getpid();
  const pid_t child = fork();
  if (child < 0) {
    std::perror("korvatex_test_launcher: fork");
    return 1;
  }
  if (child == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != launcher) _exit(1);  // killed already
    execvp(argv[0], argv);
    std::fprintf(stderr, "korvatex_test_launcher: %s: %s\n", argv[0], std::strerror(errno));
    _exit(127);
  }
  command_pid = child;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, PassOn);
  int status = 0;
  for (;;) {  // collects also the processes adopted meanwhile that end
    int ended_status = 0;
    const pid_t ended = wait(&ended_status);
    if (ended == child) status = ended_status;
    if (ended == child || (ended < 0 && errno != EINTR)) break;
  }
  command_pid = 0;
  const std::vector<pid_t> left = RunningAfter(std::chrono::milliseconds(500));
  for (const pid_t pid : left) {
    std::cerr << "korvatex_test_launcher: " << test << " left running: pid " << pid << ' '
              << CommandLine(pid) << '\n';
  }
  EndDescendants();
  if (!left.empty()) return 1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int main(int argc, char** argv) {
  std::string test;
  int first = 1;
  if (argc > 2 && std::string(argv[1]) == "--test") test = argv[2], first = 3;
  if (first >= argc) {
    std::cerr << "usage: korvatex_test_launcher [--test NAME] COMMAND ARGS...\n";
    return 2;
  }
  for (int arg = first; test.empty() && arg < argc; ++arg) {
    if (std::strncmp(argv[arg], "--gtest_filter=", 15) == 0) test = argv[arg] + 15;
  }
  if (test.empty()) {
    test = argv[first];
    for (int arg = first + 1; arg < argc; ++arg) test += std::string(" ") + argv[arg];
  }
  return Launch(test, argv + first);
}
