// ProcessPlatform on Linux: the window in front, its title and its process from
// the X window manager through xcb (process_linux_x11.cpp), and the priority
// classes as the scheduling of every thread of a process held by a pidfd
// (process_linux_schedule.cpp). No Windows header; no rule of the engine here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/process.h"

namespace tarvex {

// The scheduling that stands for each class: normal nice 0, high nice -10,
// real-time SCHED_RR priority 1, idle / below / above normal nice 19 / 10 / -5.
// threadId is left 0; an unknown class gives policy -1.
ThreadSchedule ScheduleOfClass(uint32_t priorityClass);
// The class nearest to a thread's policy and nice: the real-time policies are
// the real-time class, SCHED_IDLE the idle class, the others go by nice (a nice
// halfway between two classes counts as the one nearer normal).
uint32_t ClassOfSchedule(int32_t policy, int32_t nice);

class X11Foreground;

class LinuxProcessPlatform final : public ProcessPlatform {
 public:
  // `display` as for xcb_connect: empty means $DISPLAY.
  explicit LinuxProcessPlatform(const std::string& display = std::string());
  ~LinuxProcessPlatform() override;
  LinuxProcessPlatform(const LinuxProcessPlatform&) = delete;
  LinuxProcessPlatform& operator=(const LinuxProcessPlatform&) = delete;

  // _NET_ACTIVE_WINDOW of the root window; 0 when none is active or nothing
  // publishes it (ForegroundKnown() then tells the two apart).
  WindowHandle ForegroundWindow() override;
  bool ForegroundKnown() override;
  // _NET_WM_NAME (UTF-8), else WM_NAME; the whole title as UTF-8 bytes.
  std::string WindowTextAnsi(WindowHandle window) override;
  // _NET_WM_PID, else the X-Resource extension's client id of the window.
  ProcessId WindowProcessId(WindowHandle window) override;
  ProcessId CurrentProcessId() override;

  // A pidfd for the process (the access mask is not checked here: the kernel
  // checks each change). The handle carries the pid beside the descriptor.
  ProcessHandle OpenProcess(uint32_t access, ProcessId id) override;
  // Puts every thread to the class's scheduling; true only when each accepted.
  bool SetPriorityClass(ProcessHandle process, uint32_t priorityClass) override;
  // The class nearest to the main thread's scheduling; 0 when the process ended.
  uint32_t GetPriorityClass(ProcessHandle process) override;
  void CloseHandle(ProcessHandle process) override;
  ProcessSchedule ReadSchedule(ProcessHandle process) override;
  bool SetThreadSchedule(ProcessHandle process, const ThreadSchedule& schedule) override;

 private:
  std::unique_ptr<X11Foreground> x11_;
  bool foregroundPublished_ = false;  // as the last ForegroundWindow() found it
};

}  // namespace tarvex
