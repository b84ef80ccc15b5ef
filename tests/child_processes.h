// The processes that tests start, found by their parents: the test
// launcher's check for what a test leaves running, and the ending of what
// a unit test leaves running on purpose.
#ifndef KORVATEX_TESTS_CHILD_PROCESSES_H_
#define KORVATEX_TESTS_CHILD_PROCESSES_H_

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// Collects this process's ended children, and returns its descendants
// (children and the children of children alike) that still run once none
// does or `wait` has passed.
std::vector<pid_t> RunningAfter(std::chrono::milliseconds wait);

// Ends every descendant of this process: a termination signal, and for
// those still running after 2 s a kill, until none runs (those that the
// ended ones leave come to this process in turn, when it is their
// subreaper); then collects them.
void EndDescendants();

// The command line of process `pid`, its words parted by blanks.
std::string CommandLine(pid_t pid);

// Once one is made, this process adopts every process that its descendants
// leave without a parent (it becomes their "subreaper", on Linux): a
// clipboard tool or a viewer that the code under test leaves running, in a
// session of its own, stays its descendant and does not pass to the test
// launcher, which would fail the test for it. When it is destroyed, also
// after a failed assertion, it ends them all (EndDescendants).
class ChildProcessReaper {
 public:
  ChildProcessReaper();
  ~ChildProcessReaper();
  ChildProcessReaper(const ChildProcessReaper&) = delete;
  ChildProcessReaper& operator=(const ChildProcessReaper&) = delete;
};

#endif  // KORVATEX_TESTS_CHILD_PROCESSES_H_
