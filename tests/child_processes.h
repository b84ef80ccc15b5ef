// The processes that tests start, ended when the test that started them
// ends.
#ifndef KORVATEX_TESTS_CHILD_PROCESSES_H_
#define KORVATEX_TESTS_CHILD_PROCESSES_H_

#include <sys/types.h>

#include <vector>

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
