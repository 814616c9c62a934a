// Priority classes as Linux scheduling. A class is applied to every thread of
// the process (nice and policy are per thread on Linux). Every call first asks
// the pidfd whether its process is still alive, so an id that was reaped and
// reused is never touched through a handle opened for the old process.
#include <dirent.h>
#include <sched.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/linux/process_linux.h"

namespace tarvex {
namespace {

constexpr int32_t kNiceIdle = 19;
constexpr int32_t kNiceBelowNormal = 10;
constexpr int32_t kNiceNormal = 0;
constexpr int32_t kNiceAboveNormal = -5;
constexpr int32_t kNiceHigh = -10;
constexpr int32_t kRealtimePriority = 1;

// The handle: pid in the high half, pidfd in the low half; never 0 (pid > 0).
ProcessHandle MakeHandle(pid_t pid, int fd) {
  return (static_cast<int64_t>(pid) << 32) | static_cast<uint32_t>(fd);
}
pid_t PidOf(ProcessHandle h) { return static_cast<pid_t>(h >> 32); }
int FdOf(ProcessHandle h) { return static_cast<int>(static_cast<uint32_t>(h & 0xFFFFFFFF)); }

// The process behind the pidfd has not ended (a zombie still holds its id).
bool Alive(ProcessHandle h) {
  if (h == 0 || PidOf(h) <= 0) return false;
  return syscall(SYS_pidfd_send_signal, FdOf(h), 0, nullptr, 0) == 0;
}

std::vector<pid_t> ThreadIds(pid_t pid) {
  std::vector<pid_t> ids;
  const std::string dir = "/proc/" + std::to_string(pid) + "/task";
  DIR* d = opendir(dir.c_str());
  if (d == nullptr) return ids;
  while (dirent* e = readdir(d)) {
    char* end = nullptr;
    const long id = std::strtol(e->d_name, &end, 10);
    if (end != e->d_name && *end == '\0' && id > 0) ids.push_back(static_cast<pid_t>(id));
  }
  closedir(d);
  return ids;
}

bool IsThreadOf(pid_t pid, pid_t tid) {
  struct stat st {};
  const std::string path = "/proc/" + std::to_string(pid) + "/task/" + std::to_string(tid);
  return stat(path.c_str(), &st) == 0;
}

bool ReadThread(pid_t tid, ThreadSchedule& out) {
  const int policy = sched_getscheduler(tid);
  if (policy < 0) return false;
  sched_param param{};
  if (sched_getparam(tid, &param) != 0) return false;
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
  if (nice == -1 && errno != 0) return false;
  out.threadId = tid;
  out.policy = policy & ~SCHED_RESET_ON_FORK;
  out.priority = param.sched_priority;
  out.nice = nice;
  return true;
}

// Policy first, then nice: leaving a real-time policy needs no right, and the
// nice of a time-sharing thread is set again after a change of policy (the
// kernel does not show it while the thread is real-time).
bool ApplyThread(pid_t tid, const ThreadSchedule& s) {
  ThreadSchedule now;
  if (!ReadThread(tid, now)) return false;
  const bool policyChanges = now.policy != s.policy || now.priority != s.priority;
  if (policyChanges) {
    sched_param param{};
    param.sched_priority = s.priority;
    if (sched_setscheduler(tid, s.policy, &param) != 0) return false;
  }
  if (s.policy == SCHED_RR || s.policy == SCHED_FIFO) return true;
  if ((policyChanges || now.nice != s.nice) && setpriority(PRIO_PROCESS, static_cast<id_t>(tid), s.nice) != 0) {
    return false;
  }
  return true;
}

}  // namespace

ThreadSchedule ScheduleOfClass(uint32_t priorityClass) {
  ThreadSchedule s;
  s.policy = SCHED_OTHER;
  switch (priorityClass) {
    case kIdlePriorityClass: s.nice = kNiceIdle; break;
    case kBelowNormalPriorityClass: s.nice = kNiceBelowNormal; break;
    case kNormalPriorityClass: s.nice = kNiceNormal; break;
    case kAboveNormalPriorityClass: s.nice = kNiceAboveNormal; break;
    case kHighPriorityClass: s.nice = kNiceHigh; break;
    case kRealtimePriorityClass:
      s.policy = SCHED_RR;
      s.priority = kRealtimePriority;
      break;
    default: s.policy = -1; break;
  }
  return s;
}

uint32_t ClassOfSchedule(int32_t policy, int32_t nice) {
  if (policy == SCHED_RR || policy == SCHED_FIFO) return kRealtimePriorityClass;
  if (policy == SCHED_IDLE) return kIdlePriorityClass;
  // Midpoints between the classes' nice values; the one tie (5) goes to normal.
  if (nice >= 15) return kIdlePriorityClass;
  if (nice > 5) return kBelowNormalPriorityClass;
  if (nice >= -2) return kNormalPriorityClass;
  if (nice >= -7) return kAboveNormalPriorityClass;
  return kHighPriorityClass;
}

ProcessId LinuxProcessPlatform::CurrentProcessId() { return static_cast<ProcessId>(getpid()); }

ProcessHandle LinuxProcessPlatform::OpenProcess(uint32_t access, ProcessId id) {
  (void)access;
  if (id == 0 || id > 0x7FFFFFFF) return 0;
  int fd = static_cast<int>(syscall(SYS_pidfd_open, static_cast<pid_t>(id), 0));
  if (fd < 0) return 0;
  return MakeHandle(static_cast<pid_t>(id), fd);
}

void LinuxProcessPlatform::CloseHandle(ProcessHandle process) {
  if (process != 0) close(FdOf(process));
}

bool LinuxProcessPlatform::SetPriorityClass(ProcessHandle process, uint32_t priorityClass) {
  const ThreadSchedule target = ScheduleOfClass(priorityClass);
  if (target.policy < 0 || !Alive(process)) return false;
  const std::vector<pid_t> threads = ThreadIds(PidOf(process));
  bool all = !threads.empty();
  for (pid_t tid : threads) all = ApplyThread(tid, target) && all;
  return all;
}

uint32_t LinuxProcessPlatform::GetPriorityClass(ProcessHandle process) {
  if (!Alive(process)) return 0;
  ThreadSchedule main;
  if (!ReadThread(PidOf(process), main)) return 0;
  return ClassOfSchedule(main.policy, main.nice);
}

ProcessSchedule LinuxProcessPlatform::ReadSchedule(ProcessHandle process) {
  ProcessSchedule schedule;
  if (!Alive(process)) return schedule;
  for (pid_t tid : ThreadIds(PidOf(process))) {
    ThreadSchedule t;
    if (ReadThread(tid, t)) schedule.threads.push_back(t);
  }
  schedule.priorityClass = GetPriorityClass(process);
  return schedule;
}

bool LinuxProcessPlatform::SetThreadSchedule(ProcessHandle process, const ThreadSchedule& schedule) {
  if (!Alive(process) || schedule.threadId <= 0) return false;
  const pid_t tid = static_cast<pid_t>(schedule.threadId);
  if (!IsThreadOf(PidOf(process), tid)) return false;
  return ApplyThread(tid, schedule);
}

}  // namespace tarvex
