// ModuleMain's SetProcessPriority.
#include "app/process_priority.h"

namespace tarvex {

uint32_t SetProcessPriority(ProcessPlatform& platform, ProcessId processId, WindowHandle window,
                            uint32_t priorityClass) {
  if (processId == 0) {
    // The window 0 (no foreground window) stands for the program itself.
    processId = window != 0 ? platform.WindowProcessId(window) : platform.CurrentProcessId();
  }
  ProcessHandle process = platform.OpenProcess(kProcessSetInformation | kProcessQueryInformation, processId);
  if (process != 0) {
    (void)platform.SetPriorityClass(process, priorityClass);
  } else {
    // Not ours to change: open for reading only, change nothing.
    process = platform.OpenProcess(kProcessQueryInformation, processId);
  }
  const uint32_t result = process != 0 ? platform.GetPriorityClass(process) : 0;
  platform.CloseHandle(process);
  return result;
}

}  // namespace tarvex
