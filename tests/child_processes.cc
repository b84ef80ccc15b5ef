#include "child_processes.h"

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// What the file `path` holds; empty when it cannot be read.
std::string Contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The fields of process `pid`'s /proc stat file after its name, from its
// state on; empty when there is no such process. The name, in brackets,
// may hold blanks and brackets.
std::string StatFields(const std::string& pid) {
  const std::string line = Contents("/proc/" + pid + "/stat");
  const size_t name_end = line.rfind(')');
  return name_end == std::string::npos ? std::string() : line.substr(name_end + 1);
}

// The ids of the processes /proc lists.
std::vector<std::string> Processes() {
  std::vector<std::string> pids;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") == std::string::npos) pids.push_back(name);
  }
  return pids;
}

// This process's children, running or ended but not yet waited for.
std::vector<pid_t> ChildProcesses() {
  std::vector<pid_t> children;
  for (const std::string& pid : Processes()) {
    std::istringstream fields(StatFields(pid));
    std::string state;
    pid_t parent = 0;
    if (fields >> state >> parent && parent == getpid()) children.push_back(std::atoi(pid.c_str()));
  }
  return children;
}

const char kRunMarkName[] = "KORVATEX_TEST_RUN";

// Marks this process as it starts (see RunMark).
[[maybe_unused]] const bool kMarked = [] {
  const std::string parent = std::to_string(getppid());
  std::istringstream fields(StatFields(parent));
  std::string start_time;
  for (int field = 0; field < 20; ++field) {  // the state is the first, the start time the 20th
    if (!(fields >> start_time)) return false;
  }
  return setenv(kRunMarkName, (parent + "." + start_time).c_str(), 0) == 0;
}();

}  // namespace

std::string RunMark() {
  const char* const mark = std::getenv(kRunMarkName);
  return mark ? std::string(kRunMarkName) + "=" + mark : std::string();
}

std::vector<pid_t> MarkedProcesses(const std::string& entry) {
  std::vector<pid_t> marked;
  for (const std::string& pid : Processes()) {
    if (std::atoi(pid.c_str()) == getpid()) continue;
    std::istringstream environment(Contents("/proc/" + pid + "/environ"));
    for (std::string line; std::getline(environment, line, '\0');) {
      if (line == entry) {
        marked.push_back(std::atoi(pid.c_str()));
        break;
      }
    }
  }
  return marked;
}

ChildProcessReaper::ChildProcessReaper() : earlier_(ChildProcesses()) {
  prctl(PR_SET_CHILD_SUBREAPER, 1);
}

ChildProcessReaper::~ChildProcessReaper() {
  // Bounded: each round ends one generation of descendants.
  for (int round = 0; round < 100; ++round) {
    std::vector<pid_t> started;
    for (const pid_t pid : ChildProcesses()) {
      if (std::find(earlier_.begin(), earlier_.end(), pid) == earlier_.end()) {
        started.push_back(pid);
      }
    }
    if (started.empty()) return;
    for (const pid_t pid : started) kill(pid, SIGKILL);
    for (const pid_t pid : started) {
      while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
      }
    }
  }
}
