// Priority classes as the scheduling of every thread of a real child process,
// the honest failure without the right to raise, and pidfd identity.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <linux/sched.h>
#include <sched.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/linux/process_linux.h"

namespace tarvex {
namespace {

// A child process with `threads` threads (the main one included) that lives
// until the object goes; its threads block on a pipe.
class Child {
 public:
  explicit Child(int threads) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(fds[1]);
      for (int i = 1; i < threads; ++i) std::thread([fd = fds[0]] { char c; (void)!read(fd, &c, 1); }).detach();
      char c;
      (void)!read(fds[0], &c, 1);
      _exit(0);
    }
    close(fds[0]);
    release_ = fds[1];
    // Wait (bounded) until every thread exists.
    for (int i = 0; i < 500 && ThreadCount() < threads; ++i) usleep(10'000);
  }
  ~Child() { Reap(); }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  pid_t Pid() const { return pid_; }
  int ThreadCount() const {
    LinuxProcessPlatform p;
    const ProcessHandle h = p.OpenProcess(kProcessQueryInformation, static_cast<ProcessId>(pid_));
    const int n = static_cast<int>(p.ReadSchedule(h).threads.size());
    p.CloseHandle(h);
    return n;
  }
  void Reap() {
    if (release_ >= 0) close(release_);
    release_ = -1;
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int release_ = -1;
};

// Whether this process may lower a nice value (CAP_SYS_NICE or RLIMIT_NICE room).
bool MayRaise() {
  Child probe(1);
  return setpriority(PRIO_PROCESS, static_cast<id_t>(probe.Pid()), -1) == 0;
}

struct Seen {
  int policy, priority, nice;
  bool operator==(const Seen&) const = default;
};
// Policy, priority and nice of each thread; nice only where it counts (the
// kernel may report anything for a real-time thread).
std::vector<Seen> Threads(const ProcessSchedule& s) {
  std::vector<Seen> out;
  for (const ThreadSchedule& t : s.threads) out.push_back({t.policy, t.priority, t.policy == SCHED_RR ? 0 : t.nice});
  return out;
}

TEST(LinuxSchedule, ClassesMapToSchedulingAndBackToTheNearestClass) {
  const uint32_t classes[] = {kIdlePriorityClass,         kBelowNormalPriorityClass, kNormalPriorityClass,
                              kAboveNormalPriorityClass, kHighPriorityClass,        kRealtimePriorityClass};
  for (uint32_t c : classes) {
    const ThreadSchedule s = ScheduleOfClass(c);
    EXPECT_EQ(ClassOfSchedule(s.policy, s.nice), c) << c;
  }
  EXPECT_EQ(ScheduleOfClass(0x12345).policy, -1);
  // Values someone else set go to the nearest class; 5 is halfway and counts
  // as normal, SCHED_IDLE and FIFO are the ends whatever their nice.
  EXPECT_EQ(ClassOfSchedule(SCHED_OTHER, 5), kNormalPriorityClass);
  EXPECT_EQ(ClassOfSchedule(SCHED_OTHER, 6), kBelowNormalPriorityClass);
  EXPECT_EQ(ClassOfSchedule(SCHED_OTHER, 15), kIdlePriorityClass);
  EXPECT_EQ(ClassOfSchedule(SCHED_BATCH, -3), kAboveNormalPriorityClass);
  EXPECT_EQ(ClassOfSchedule(SCHED_OTHER, -8), kHighPriorityClass);
  EXPECT_EQ(ClassOfSchedule(SCHED_OTHER, -20), kHighPriorityClass);
  EXPECT_EQ(ClassOfSchedule(SCHED_IDLE, 0), kIdlePriorityClass);
  EXPECT_EQ(ClassOfSchedule(SCHED_FIFO, 0), kRealtimePriorityClass);
}

TEST(LinuxSchedule, EveryThreadTakesTheClassAndEachGetsItsOwnBack) {
  if (!MayRaise()) GTEST_SKIP() << "no CAP_SYS_NICE and no RLIMIT_NICE room: raising cannot be tried here";
  Child child(3);
  LinuxProcessPlatform p;
  const ProcessHandle h = p.OpenProcess(kProcessSetInformation | kProcessQueryInformation, child.Pid());
  ASSERT_NE(h, 0);
  const ProcessSchedule before = p.ReadSchedule(h);
  ASSERT_EQ(before.threads.size(), 3u);
  EXPECT_EQ(before.priorityClass, kNormalPriorityClass);
  EXPECT_TRUE(std::any_of(before.threads.begin(), before.threads.end(),
                          [&](const ThreadSchedule& t) { return t.threadId == child.Pid(); }));

  const struct {
    uint32_t cls;
    Seen each;
  } cases[] = {{kHighPriorityClass, {SCHED_OTHER, 0, -10}},      {kIdlePriorityClass, {SCHED_OTHER, 0, 19}},
               {kBelowNormalPriorityClass, {SCHED_OTHER, 0, 10}}, {kAboveNormalPriorityClass, {SCHED_OTHER, 0, -5}},
               {kRealtimePriorityClass, {SCHED_RR, 1, 0}},       {kNormalPriorityClass, {SCHED_OTHER, 0, 0}}};
  for (const auto& c : cases) {
    EXPECT_TRUE(p.SetPriorityClass(h, c.cls)) << c.cls;
    EXPECT_EQ(p.GetPriorityClass(h), c.cls);
    EXPECT_EQ(Threads(p.ReadSchedule(h)), std::vector<Seen>(3, c.each)) << c.cls;
  }

  // Thread by thread: one thread to real-time, one to nice 5, and back.
  p.SetPriorityClass(h, kHighPriorityClass);
  ProcessSchedule raised = p.ReadSchedule(h);
  ThreadSchedule rr = raised.threads[1];
  rr.policy = SCHED_RR;
  rr.priority = 1;
  ThreadSchedule five = raised.threads[2];
  five.nice = 5;
  EXPECT_TRUE(p.SetThreadSchedule(h, rr));
  EXPECT_TRUE(p.SetThreadSchedule(h, five));
  const ProcessSchedule mixed = p.ReadSchedule(h);
  EXPECT_EQ(mixed.threads[0], raised.threads[0]);
  EXPECT_EQ(mixed.threads[1], rr);
  EXPECT_EQ(mixed.threads[2], five);
  for (const ThreadSchedule& t : before.threads) EXPECT_TRUE(p.SetThreadSchedule(h, t));
  EXPECT_EQ(p.ReadSchedule(h), before);

  // A thread id that is not one of this process's threads is refused.
  ThreadSchedule stranger = before.threads[0];
  stranger.threadId = getpid();
  EXPECT_FALSE(p.SetThreadSchedule(h, stranger));
  p.CloseHandle(h);
}

// In a child without CAP_SYS_NICE and without RLIMIT_NICE room: raising fails
// and says so, the class stays normal; lowering and giving back still work.
TEST(LinuxSchedule, WithoutTheRightRaisingFailsHonestly) {
  Child target(2);
  const pid_t tester = fork();
  if (tester == 0) {
    const rlimit none{0, 0};
    setrlimit(RLIMIT_NICE, &none);
    setrlimit(RLIMIT_RTPRIO, &none);
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0) _exit(10);
    for (auto& d : data) d.effective &= ~(1u << CAP_SYS_NICE);
    if (syscall(SYS_capset, &header, data) != 0) _exit(11);
    LinuxProcessPlatform p;
    const ProcessHandle h = p.OpenProcess(kProcessSetInformation | kProcessQueryInformation, target.Pid());
    if (h == 0) _exit(12);
    if (p.SetPriorityClass(h, kHighPriorityClass)) _exit(13);
    if (p.GetPriorityClass(h) != kNormalPriorityClass) _exit(14);
    if (p.SetPriorityClass(h, kRealtimePriorityClass)) _exit(15);
    if (p.GetPriorityClass(h) != kNormalPriorityClass) _exit(16);
    if (!p.SetPriorityClass(h, kBelowNormalPriorityClass)) _exit(17);
    if (p.GetPriorityClass(h) != kBelowNormalPriorityClass) _exit(18);
    _exit(0);
  }
  int status = -1;
  ASSERT_EQ(waitpid(tester, &status, 0), tester);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "step that failed: " << WEXITSTATUS(status);
}

// clone3 with a chosen id: the fresh process gets the id of the reaped one.
pid_t ForkWithId(pid_t id) {
  clone_args args{};
  args.exit_signal = SIGCHLD;
  args.set_tid = reinterpret_cast<uintptr_t>(&id);
  args.set_tid_size = 1;
  const long pid = syscall(SYS_clone3, &args, sizeof args);
  if (pid == 0) {
    pause();
    _exit(0);
  }
  return static_cast<pid_t>(pid);
}

TEST(LinuxSchedule, AHandleNeverReachesAProcessThatReusedTheId) {
  LinuxProcessPlatform p;
  Child first(1);
  const pid_t id = first.Pid();
  const ProcessHandle h = p.OpenProcess(kProcessSetInformation | kProcessQueryInformation, id);
  ASSERT_NE(h, 0);
  const ProcessSchedule held = p.ReadSchedule(h);
  first.Reap();

  // The ended process: every call through the old handle fails.
  EXPECT_FALSE(p.SetPriorityClass(h, kIdlePriorityClass));
  EXPECT_EQ(p.GetPriorityClass(h), 0u);
  EXPECT_TRUE(p.ReadSchedule(h).threads.empty());
  EXPECT_FALSE(p.SetThreadSchedule(h, held.threads[0]));

  const pid_t reused = ForkWithId(id);
  if (reused != id) {
    p.CloseHandle(h);
    GTEST_SKIP() << "could not give a new process the old id (clone3 set_tid: " << std::strerror(errno) << ")";
  }
  ThreadSchedule idle = held.threads[0];
  idle.nice = 19;
  EXPECT_FALSE(p.SetPriorityClass(h, kIdlePriorityClass));
  EXPECT_FALSE(p.SetThreadSchedule(h, idle));
  EXPECT_EQ(p.GetPriorityClass(h), 0u);
  errno = 0;
  EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(reused)), 0);
  EXPECT_EQ(errno, 0);
  kill(reused, SIGKILL);
  waitpid(reused, nullptr, 0);
  p.CloseHandle(h);
}

}  // namespace
}  // namespace tarvex
