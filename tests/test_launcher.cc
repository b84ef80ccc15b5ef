// The launcher of the tests that are not GoogleTest's, and the check that
// follows every test of a CTest run (tests/CMakeLists.txt).
//   korvatex_test_launcher COMMAND ARGS...
// runs COMMAND, marked as a test of the CTest run (RunMark), and ends with
// its status. It adopts what the command leaves without a parent (a
// clipboard tool serving in a session of its own) and collects each as
// soon as it ends, so that none waits in the process table for init to
// collect it. A termination signal is passed on to the command, which is
// also told to end when the launcher is killed.
//   korvatex_test_launcher --leftovers
// fails, naming them, when processes that tests of the CTest run started
// still run, and then kills them so that they do not run on.
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "child_processes.h"

namespace {

volatile sig_atomic_t command_pid = 0;

void PassOn(int signal) {
  if (command_pid > 0) kill(command_pid, signal);
}

int Launch(char** argv) {
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
  for (;;) {
    int ended_status = 0;
    const pid_t ended = wait(&ended_status);
    if (ended < 0 && errno == EINTR) continue;
    if (ended < 0) break;
    if (ended == child) {
      status = ended_status;
      break;
    }
  }
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int Leftovers() {
  const std::string mark = RunMark();
  if (mark.empty()) {
    std::cout << "FAIL: the run's mark could not be made\n";
    return 1;
  }
  const std::vector<pid_t> left = MarkedProcesses(mark);
  if (left.empty()) {
    std::cout << "ok: no process started by a test runs on (" << mark << ")\n";
    return 0;
  }
  std::cout << "FAIL: processes started by a test still run after it (" << mark << "):\n";
  for (const pid_t pid : left) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/cmdline");
    std::string command((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (char& c : command) c = c == '\0' ? ' ' : c;
    std::cout << pid << ' ' << command << '\n';
  }
  for (const pid_t pid : left) kill(pid, SIGKILL);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--leftovers") return Leftovers();
  if (argc < 2) {
    std::cerr << "usage: korvatex_test_launcher COMMAND ARGS... | --leftovers\n";
    return 2;
  }
  return Launch(argv + 1);
}
