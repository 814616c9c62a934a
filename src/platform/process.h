// Process and window queries of the speed-up engine: the foreground window, its
// title and process, and opening a process to set or read its priority class.
// Each call is one Windows function; the rules that combine them live in the
// core (app/process_priority). Windows and processes are opaque integers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_handle.h"

namespace tarvex {

using ProcessId = uint32_t;     // 0 = none
using ProcessHandle = int64_t;  // HANDLE as an integer; 0 = the open failed

// Windows process priority classes, in rising order:
// idle < below normal < normal < above normal < high < real-time.
inline constexpr uint32_t kIdlePriorityClass = 0x40;
inline constexpr uint32_t kBelowNormalPriorityClass = 0x4000;
inline constexpr uint32_t kNormalPriorityClass = 0x20;
inline constexpr uint32_t kAboveNormalPriorityClass = 0x8000;
inline constexpr uint32_t kHighPriorityClass = 0x80;
inline constexpr uint32_t kRealtimePriorityClass = 0x100;

// Process access rights.
inline constexpr uint32_t kProcessSetInformation = 0x200;
inline constexpr uint32_t kProcessQueryInformation = 0x400;

// One thread's scheduling where the platform schedules threads apart from
// their process (Linux: policy, real-time priority and nice of one task).
struct ThreadSchedule {
  int64_t threadId = 0;
  int32_t policy = 0;
  int32_t priority = 0;  // real-time priority; 0 for the time-sharing policies
  int32_t nice = 0;
  bool operator==(const ThreadSchedule&) const = default;
};

// A process's scheduling at one moment: its class, and where the platform has
// them, its threads one by one (empty on Windows, where the class is all).
struct ProcessSchedule {
  uint32_t priorityClass = 0;  // as GetPriorityClass reports it; 0 = unreadable
  std::vector<ThreadSchedule> threads;
  bool operator==(const ProcessSchedule&) const = default;
};

class ProcessPlatform {
 public:
  virtual ~ProcessPlatform() = default;

  // GetForegroundWindow; 0 when no window has the foreground.
  virtual WindowHandle ForegroundWindow() = 0;
  // Whether the last ForegroundWindow() could know the window in front at all.
  // False where nothing publishes it (an X session whose window manager does
  // not set the active window, a Wayland session): its 0 then means "unknown",
  // not "no window". Windows always knows.
  virtual bool ForegroundKnown() { return true; }
  // The window's whole title in the system's ANSI code page (the bytes
  // GetWindowTextA gives with a buffer large enough); empty when the window
  // has none or cannot be read. The caller applies its own buffer limit.
  virtual std::string WindowTextAnsi(WindowHandle window) = 0;
  // GetWindowThreadProcessId: the process that created the window; 0 if none.
  virtual ProcessId WindowProcessId(WindowHandle window) = 0;
  // GetCurrentProcessId.
  virtual ProcessId CurrentProcessId() = 0;
  // OpenProcess(access, not inheritable, id); 0 on failure.
  virtual ProcessHandle OpenProcess(uint32_t access, ProcessId id) = 0;
  // SetPriorityClass; whether the platform accepted it (it may grant less).
  virtual bool SetPriorityClass(ProcessHandle process, uint32_t priorityClass) = 0;
  // GetPriorityClass; 0 on failure (also for the handle 0).
  virtual uint32_t GetPriorityClass(ProcessHandle process) = 0;
  // CloseHandle; the handle 0 is ignored.
  virtual void CloseHandle(ProcessHandle process) = 0;

  // The process's scheduling now. Where the class is the whole state this is
  // the class alone; a platform with per-thread scheduling lists its threads.
  virtual ProcessSchedule ReadSchedule(ProcessHandle process) { return {GetPriorityClass(process), {}}; }
  // Puts one thread of the process to `schedule`; false when it cannot. Only
  // asked of platforms whose ReadSchedule lists threads.
  virtual bool SetThreadSchedule(ProcessHandle process, const ThreadSchedule& schedule) {
    (void)process;
    (void)schedule;
    return false;
  }
};

}  // namespace tarvex
