// ModuleMain's SetProcessPriority: picks the process (by id, else by window,
// else the program's own), opens it for setting and querying, sets the class,
// and reports the class the platform then gives back.
#pragma once

#include <cstdint>

#include "platform/process.h"

namespace tarvex {

// Returns the process's priority class after the attempt; 0 when the process
// could not be opened even for querying.
uint32_t SetProcessPriority(ProcessPlatform& platform, ProcessId processId, WindowHandle window,
                            uint32_t priorityClass);

}  // namespace tarvex
