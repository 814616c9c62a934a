// memory_probe.dll: loaded into a running program by idle_probe.exe, it reads
// the program's own memory counters (a process sees its PrivateUsage, which
// Wine does not report to other processes), leaves them in the probe's shared
// block and declines to stay loaded.
#include <windows.h>
#include <psapi.h>

#include "memory_probe_block.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kMemoryProbeBlockName);
  if (mapping == nullptr) return FALSE;
  if (auto* block = static_cast<MemoryProbeBlock*>(
          MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(MemoryProbeBlock)))) {
    PROCESS_MEMORY_COUNTERS_EX mem{};
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem),
                                sizeof mem)) {
      // Wine fills only the short form; its commit charge is the same figure.
      block->privateBytes = mem.PrivateUsage != 0 ? mem.PrivateUsage : mem.PagefileUsage;
      block->workingSetBytes = mem.WorkingSetSize;
      block->filled = 1;
    }
    UnmapViewOfFile(block);
  }
  CloseHandle(mapping);
  return FALSE;  // read once; unload again
}
