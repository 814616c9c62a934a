// The load counters on Linux, shaped as the NT family's: the idle and the
// wall-clock counters from /proc/stat, memory from /proc/meminfo, disk space
// from statvfs. The parsers are apart so that they can be tried on fixtures.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/load_counters.h"

namespace tarvex {

// The aggregate "cpu" line of /proc/stat, in clock ticks summed over all
// processors, and the number of "cpuN" lines.
struct ProcStatTimes {
  uint64_t idleTicks = 0;   // idle + iowait
  uint64_t totalTicks = 0;  // user nice system idle iowait irq softirq steal
  uint32_t processors = 0;
};
// nullopt when the text has no usable "cpu" line.
std::optional<ProcStatTimes> ParseProcStat(std::string_view text);

// The /proc/meminfo fields the sampler uses, in bytes; a field the file lacks
// stays nullopt.
struct MemInfo {
  std::optional<uint64_t> memTotal, memFree, memAvailable, buffers, cached;
  std::optional<uint64_t> swapTotal, swapFree, commitLimit, committedAs;
};
MemInfo ParseMemInfo(std::string_view text);
// The figures as GlobalMemoryStatus gives them: physical memory (available =
// MemAvailable, or free + buffers + cache on kernels without it), the page
// file = swap, the virtual memory = the commit limit and what is left of it.
// A missing total gives 0 for that pair.
MemoryStatus MemoryStatusOf(const MemInfo& info);

class LinuxLoadCounters final : public LoadCounters {
 public:
  // `procRoot` holds "stat" and "meminfo" (tests point it at fixtures).
  explicit LinuxLoadCounters(std::string procRoot = "/proc");

  uint32_t PlatformId() override { return kPlatformWin32Nt; }
  NtStatus QueryProcessorCount(uint8_t& numberOfProcessors) override;
  // Both in 100 ns units. The idle time is the one of the /proc/stat read by
  // the last QueryCurrentTime (the sampler asks for the time first), so the
  // two counters of one sample come from one snapshot.
  NtStatus QueryIdleTime(int64_t& idleTime100ns) override;
  // The wall clock as the processors' own ticks: total ticks ÷ processors.
  NtStatus QueryCurrentTime(int64_t& currentTime100ns) override;

  // There is no 9x registry here.
  std::optional<RegistryKeyHandle> OpenDynDataKey(std::string_view, uint32_t) override { return std::nullopt; }
  bool QueryDwordValue(RegistryKeyHandle, std::string_view, uint32_t&) override { return false; }
  void CloseKey(RegistryKeyHandle) override {}

  MemoryStatus GlobalMemoryStatus() override;

  bool HasDiskFreeSpaceEx() override { return true; }
  // statvfs of the mount point; a Windows drive root ("C:\") names "/".
  std::optional<DiskSpaceBytes> DiskFreeSpaceEx(std::string_view rootPath) override;
  std::optional<DiskClusters> DiskFreeSpace(std::string_view rootPath) override;
  // "/": the monitor's default disk is the root file system.
  std::string WindowsDirectory() override { return "/"; }
  // Only the 9x path shows messages; written to standard error if ever asked.
  void ShowMessage(std::string_view text) override;

 private:
  std::optional<ProcStatTimes> ReadStat();

  std::string procRoot_;
  int64_t ticksPerSecond_;
  std::optional<ProcStatTimes> lastStat_;  // snapshot of the last QueryCurrentTime
};

}  // namespace tarvex
