// One load sample: the sixteen figures the sampler measures, the monitor keeps
// one per pixel column and hands to its host. Memory byte counts are 64-bit
// (today's totals pass 2 GB); disk byte counts are 4-decimal fixed point.
#pragma once

#include <cstdint>

#include "common/fixed_point.h"

namespace tarvex {

struct SystemLevels {
  float CPULoadPercent = 0;     // -1 when the measurement failed
  float MemoryLoadPercent = 0;  // the system's own memory-load figure
  int64_t PhysicalMemoryTotal = 0;
  int64_t PhysicalMemoryAvailable = 0;
  float PhysicalMemoryAvailablePercent = 0;  // share IN USE, despite the name
  int64_t PageFileTotal = 0;
  int64_t PageFileAvailable = 0;
  float PageFileAvailablePercent = 0;  // share in use
  int64_t VirtualMemoryTotal = 0;
  int64_t VirtualMemoryAvailable = 0;
  float VirtualMemoryAvailablePercent = 0;  // share in use
  Fixed4 HDTotalBytes;
  Fixed4 HDTotalFreeBytes;
  Fixed4 HDAvailableFreeBytes;  // free to the calling user
  Fixed4 HDTotalBytesUsed;      // total - free to the calling user
  float HDAvailablePercent = 0;  // FREE share (free to caller / total)

  friend bool operator==(const SystemLevels&, const SystemLevels&) = default;
};

}  // namespace tarvex
