// ProcessPlatform over user32 and kernel32: one call per method.
#pragma once

#include "platform/process.h"

namespace tarvex {

class Win32ProcessPlatform final : public ProcessPlatform {
 public:
  WindowHandle ForegroundWindow() override;
  std::string WindowTextAnsi(WindowHandle window) override;
  ProcessId WindowProcessId(WindowHandle window) override;
  ProcessId CurrentProcessId() override;
  ProcessHandle OpenProcess(uint32_t access, ProcessId id) override;
  bool SetPriorityClass(ProcessHandle process, uint32_t priorityClass) override;
  uint32_t GetPriorityClass(ProcessHandle process) override;
  void CloseHandle(ProcessHandle process) override;
};

}  // namespace tarvex
