// The block through which memory_probe.dll hands a program's own memory
// counters to idle_probe.exe (a named shared mapping the probe creates).
#pragma once

#include <cstdint>

inline constexpr wchar_t kMemoryProbeBlockName[] = L"TarvexMemoryProbeBlock";

struct MemoryProbeBlock {
  uint64_t privateBytes;
  uint64_t workingSetBytes;
  uint32_t filled;  // 1 once the counters are in
};
