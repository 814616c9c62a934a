// Raising a process and giving back what it had (see process_priority.h).
#include "app/process_priority.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tarvex {
namespace {

const ThreadSchedule* FindThread(const std::vector<ThreadSchedule>& threads, int64_t threadId) {
  auto it = std::find_if(threads.begin(), threads.end(),
                         [threadId](const ThreadSchedule& t) { return t.threadId == threadId; });
  return it == threads.end() ? nullptr : &*it;
}

}  // namespace

int PriorityClassRank(uint32_t priorityClass) {
  static constexpr std::array<uint32_t, 6> kOrder{kIdlePriorityClass,        kBelowNormalPriorityClass,
                                                  kNormalPriorityClass,      kAboveNormalPriorityClass,
                                                  kHighPriorityClass,        kRealtimePriorityClass};
  auto it = std::find(kOrder.begin(), kOrder.end(), priorityClass);
  return it == kOrder.end() ? -1 : static_cast<int>(it - kOrder.begin());
}

RaiseResult RaiseProcess(ProcessPlatform& platform, ProcessId processId, WindowHandle window,
                         uint32_t priorityClass) {
  if (processId == 0) {
    // The window 0 (no foreground window) stands for the program itself.
    processId = window != 0 ? platform.WindowProcessId(window) : platform.CurrentProcessId();
  }
  ProcessHandle process = platform.OpenProcess(kProcessSetInformation | kProcessQueryInformation, processId);
  const bool mayChange = process != 0;
  // Not ours to change: we may still learn that it already stands high enough.
  if (!mayChange) process = platform.OpenProcess(kProcessQueryInformation, processId);
  if (process == 0) return {};

  const ProcessSchedule before = platform.ReadSchedule(process);
  // Raising never lowers: a process at or above the class asked is left.
  if (!mayChange || PriorityClassRank(before.priorityClass) >= PriorityClassRank(priorityClass)) {
    platform.CloseHandle(process);
    return {before.priorityClass, std::nullopt};
  }

  (void)platform.SetPriorityClass(process, priorityClass);
  RaisedProcess raised{process, before, platform.ReadSchedule(process)};
  RaiseResult result{raised.set.priorityClass, std::nullopt};
  if (raised.set == raised.before) {
    platform.CloseHandle(process);  // nothing changed, nothing to give back
  } else if (!result.Raised()) {
    GiveBack(platform, raised);  // not a speed-up: leave nothing changed behind
  } else {
    result.held = raised;
  }
  return result;
}

void GiveBack(ProcessPlatform& platform, RaisedProcess& raised) {
  if (raised.handle == 0) return;
  const ProcessSchedule now = platform.ReadSchedule(raised.handle);
  if (raised.set.threads.empty()) {
    // Someone else set another class while Tarvex held it: theirs stands.
    if (now.priorityClass == raised.set.priorityClass) {
      const uint32_t back = raised.before.priorityClass != 0 ? raised.before.priorityClass : kNormalPriorityClass;
      (void)platform.SetPriorityClass(raised.handle, back);
    }
  } else {
    // Thread by thread: only threads still as Tarvex set them get their own
    // values back; threads changed by someone else, and new ones, are left.
    for (const ThreadSchedule& thread : now.threads) {
      const ThreadSchedule* set = FindThread(raised.set.threads, thread.threadId);
      const ThreadSchedule* before = FindThread(raised.before.threads, thread.threadId);
      if (set && before && *set == thread && !(*before == thread)) {
        (void)platform.SetThreadSchedule(raised.handle, *before);
      }
    }
  }
  platform.CloseHandle(raised.handle);
  raised = RaisedProcess{};
}

}  // namespace tarvex
