// The processes that tests start: marked as the CTest run's, ended when
// the test that started them ends, and looked for after the run.
#ifndef KORVATEX_TESTS_CHILD_PROCESSES_H_
#define KORVATEX_TESTS_CHILD_PROCESSES_H_

#include <sys/types.h>

#include <string>
#include <vector>

// The environment entry that marks this process, and every process it
// starts, as a test of the CTest run that started it:
// "KORVATEX_TEST_RUN=<CTest's process id>.<its start time>". A program
// built with this file adds it to its environment as it starts (keeping
// one already there), its parent being CTest: CTest starts every test
// itself, through the test launcher or not. The start time makes the
// entry this run's alone: other CTest runs on the machine, at the same
// time or before, mark their tests with their own. Empty when the parent
// could not be read.
std::string RunMark();

// The processes, but this one, whose environment as they started holds
// `entry` ("NAME=VALUE"). An ended process that was not yet waited for
// shows no environment and is not among them.
std::vector<pid_t> MarkedProcesses(const std::string& entry);

// Once one is made, this process adopts every process that its descendants
// leave without a parent (it becomes their "subreaper", on Linux): a
// clipboard tool or a viewer that the code under test leaves running, in a
// session of its own, stays its child and does not pass to init. When it
// is destroyed, also after a failed assertion, it kills each child that
// was not there when it was made, waits for it, and repeats until none is
// left, so that the children of the killed ones, which come to this
// process in turn, end too.
class ChildProcessReaper {
 public:
  ChildProcessReaper();
  ~ChildProcessReaper();
  ChildProcessReaper(const ChildProcessReaper&) = delete;
  ChildProcessReaper& operator=(const ChildProcessReaper&) = delete;

 private:
  std::vector<pid_t> earlier_;  // this process's children when it was made
};

#endif  // KORVATEX_TESTS_CHILD_PROCESSES_H_
