// ModuleMain's priority routines: raising the process of a window and giving
// back what it had. The raise reads the process's schedule just before and
// right after, reports the class really obtained, and keeps the process handle
// open until the give-back, so a process that ended and whose id was reused is
// never touched. The give-back only undoes what is still as Tarvex set it.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/process.h"

namespace tarvex {

// Position of a class in idle < below normal < normal < above normal < high <
// real-time; -1 for anything else (0 = unreadable).
int PriorityClassRank(uint32_t priorityClass);

// A process Tarvex changed, from the raise to the give-back.
struct RaisedProcess {
  ProcessHandle handle = 0;  // open for setting and querying; owned
  ProcessSchedule before;    // just before the raise
  ProcessSchedule set;       // right after it: what Tarvex set
};

struct RaiseResult {
  // The class the process has afterwards: the one granted, or its own when it
  // already stood at or above the class asked; 0 when it could not be read.
  uint32_t obtainedClass = 0;
  // Present when Tarvex changed the process and holds it for the give-back.
  std::optional<RaisedProcess> held;
  // High or real-time obtained.
  bool Raised() const { return PriorityClassRank(obtainedClass) >= PriorityClassRank(kHighPriorityClass); }
};

// Picks the process (by id, else by window, else the program's own) and raises
// it to `priorityClass` unless it already stands at or above it. A change that
// ends below high is given back at once: nothing is held for it.
RaiseResult RaiseProcess(ProcessPlatform& platform, ProcessId processId, WindowHandle window,
                         uint32_t priorityClass);

// Gives the process its schedule from before the raise where it is still as
// Tarvex set it (the class; thread by thread where the platform lists
// threads), leaves what someone else changed, and closes the handle.
void GiveBack(ProcessPlatform& platform, RaisedProcess& raised);

}  // namespace tarvex
