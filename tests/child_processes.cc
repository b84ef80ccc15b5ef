#include "child_processes.h"

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

namespace {

// What the file `path` holds; empty when it cannot be read. A /proc file
// of a process that ends meanwhile fails to read (with stdio: iostreams
// would throw).
std::string Contents(const std::string& path) {
  std::string contents;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
      contents.append(buffer, got);
    }
    std::fclose(file);
  }
  return contents;
}

// The running descendants of this process, from every process that /proc
// lists, with its parent and state ('Z' or 'X': ended). The name, in
// brackets in the stat file, may hold blanks and brackets.
std::vector<pid_t> RunningDescendants() {
  std::map<pid_t, pid_t> parents;
  std::vector<pid_t> running, descendants;
  std::error_code error;
  for (const auto& file : std::filesystem::directory_iterator("/proc", error)) {
    const pid_t pid = std::atoi(file.path().filename().c_str());
    if (pid <= 0) continue;  // not a process
    const std::string line = Contents((file.path() / "stat").string());
    const size_t name_end = line.rfind(')');
    if (name_end == std::string::npos) continue;  // ended meanwhile
    std::istringstream fields(line.substr(name_end + 1));
    char state = 'X';
    fields >> state >> parents[pid];
    if (state != 'Z' && state != 'X') running.push_back(pid);
  }
  for (const pid_t pid : running) {
    pid_t parent = parents[pid];  // up the parents; bounded, should the table change meanwhile
    for (int step = 0; step < 1000 && parent > 1 && parent != getpid(); ++step) {
      parent = parents[parent];
    }
    if (parent == getpid()) descendants.push_back(pid);
  }
  return descendants;
}

}  // namespace

std::vector<pid_t> RunningAfter(std::chrono::milliseconds wait) {
  const auto end = std::chrono::steady_clock::now() + wait;
  for (;;) {
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    std::vector<pid_t> running = RunningDescendants();
    if (running.empty() || std::chrono::steady_clock::now() >= end) return running;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void EndDescendants() {
  for (int round = 0; round < 20; ++round) {
    const std::vector<pid_t> running = RunningAfter({});
    if (running.empty()) break;
    for (const pid_t pid : running) kill(pid, round < 10 ? SIGTERM : SIGKILL);
    RunningAfter(std::chrono::milliseconds(200));
  }
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
}

std::string CommandLine(pid_t pid) {
  std::string line = Contents("/proc/" + std::to_string(pid) + "/cmdline");
  while (!line.empty() && line.back() == '\0') line.pop_back();
  std::replace(line.begin(), line.end(), '\0', ' ');
  return line;
}

ChildProcessReaper::ChildProcessReaper() { prctl(PR_SET_CHILD_SUBREAPER, 1); }

ChildProcessReaper::~ChildProcessReaper() { EndDescendants(); }
