// ModuleLoadSampler: processor usage (NT kernel counters or the 9x registry
// counter), memory status and disk space, as the monitor samples them.
#include "monitor/load_sampler.h"

#include <limits>

#include "common/rounding.h"

namespace tarvex {
namespace {

constexpr char kStartStatKey[] = "PerfStats\\StartStat";
constexpr char kStatDataKey[] = "PerfStats\\StatData";
constexpr char kStopStatKey[] = "PerfStats\\StopStat";
constexpr char kCpuUsageValue[] = "KERNEL\\CPUUsage";

// Byte count into the fixed-point type; saturates instead of overflowing
// (its range ends near 9.2e14 bytes).
Fixed4 BytesToFixed(uint64_t bytes) {
  constexpr uint64_t kMaxBytes = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) /
                                 static_cast<uint64_t>(Fixed4::kScale);
  if (bytes > kMaxBytes) return Fixed4::FromScaled(std::numeric_limits<int64_t>::max());
  return Fixed4::FromInteger(static_cast<int64_t>(bytes));
}

// Saturating a * b for the cluster arithmetic.
uint64_t MulSat(uint64_t a, uint64_t b) {
  if (a != 0 && b > std::numeric_limits<uint64_t>::max() / a) {
    return std::numeric_limits<uint64_t>::max();
  }
  return a * b;
}

// free / total * 100 as a float, then to 4 decimals; 0 for an empty disk
// rather than a division by zero.
float FreePercent(uint64_t freeBytes, uint64_t totalBytes) {
  if (totalBytes == 0) return 0.0f;
  const float percent = static_cast<float>(static_cast<double>(freeBytes) /
                                           static_cast<double>(totalBytes) * 100.0);
  return static_cast<float>(static_cast<double>(RoundHalfEven(percent * 10000.0)) / 10000.0);
}

// (1 - available / total) * 100; 0 for a zero total instead of a division by zero.
float InUsePercent(int64_t available, int64_t total) {
  if (total == 0) return 0.0f;
  return static_cast<float>((1.0 - static_cast<double>(available) / static_cast<double>(total)) *
                            100.0);
}

}  // namespace

float NtUsagePercent(int64_t idleDelta, int64_t timeDelta, uint8_t processors) {
  // The idle fraction in the 4-decimal fixed point.
  const Fixed4 idleFraction =
      timeDelta != 0
          ? Fixed4::FromDouble(static_cast<double>(idleDelta) / static_cast<double>(timeDelta))
          : Fixed4::FromScaled(idleDelta);
  // fraction * 100, computed from the scaled integer in one rounding step.
  const double idlePercent = static_cast<double>(idleFraction.Scaled()) / 100.0;
  const double usage = 100.0 - idlePercent / processors + 0.5;
  return static_cast<float>(RoundHalfEven(Fixed4::FromDouble(usage).ToDouble()));
}

ModuleLoadSampler::~ModuleLoadSampler() {
  if (statDataKey_ != 0) counters_.CloseKey(statDataKey_);
}

bool ModuleLoadSampler::IsWindowsNT() { return counters_.PlatformId() == kPlatformWin32Nt; }

void ModuleLoadSampler::InitCPUCounter(bool& isNT) {
  if (isNT) {
    int64_t now = 0;
    int64_t idle = 0;
    if (counters_.QueryCurrentTime(now) != 0) return;
    if (counters_.QueryIdleTime(idle) != 0) return;
    prevTime_ = now;
    prevIdle_ = idle;
    return;
  }
  auto start = counters_.OpenDynDataKey(kStartStatKey, kKeyAllAccess);
  if (!start) return;
  uint32_t ignored = 0;
  (void)counters_.QueryDwordValue(*start, kCpuUsageValue, ignored);  // the read starts the counter
  counters_.CloseKey(*start);
  // A second control starting must not leak the key the first one opened.
  if (statDataKey_ != 0) counters_.CloseKey(statDataKey_);
  statDataKey_ = counters_.OpenDynDataKey(kStatDataKey, kKeyRead).value_or(0);
}

float ModuleLoadSampler::QueryCPUUsage(bool& isNT) { return isNT ? QueryNtUsage() : Query9xUsage(); }

float ModuleLoadSampler::QueryNtUsage() {
  uint8_t processors = 0;
  int64_t now = 0;
  int64_t idle = 0;
  if (counters_.QueryProcessorCount(processors) != 0) return -1.0f;
  if (counters_.QueryCurrentTime(now) != 0) return -1.0f;
  if (counters_.QueryIdleTime(idle) != 0) return -1.0f;
  // A processor count of 0 (a count past 255 wraps the byte) cannot divide.
  if (processors == 0) return -1.0f;
  const float usage = NtUsagePercent(idle - prevIdle_, now - prevTime_, processors);
  prevTime_ = now;
  prevIdle_ = idle;
  return usage;
}

float ModuleLoadSampler::Query9xUsage() {
  uint32_t value = 0;
  if (statDataKey_ == 0 || !counters_.QueryDwordValue(statDataKey_, kCpuUsageValue, value)) {
    counters_.ShowMessage(kRegistryQueryFailedText);
    return -1.0f;
  }
  return static_cast<float>(value & 0xFFu);
}

void ModuleLoadSampler::CloseCPUCounter(bool& isNT) {
  if (isNT) return;
  if (statDataKey_ != 0) {
    counters_.CloseKey(statDataKey_);
    statDataKey_ = 0;
  }
  auto stop = counters_.OpenDynDataKey(kStopStatKey, kKeyAllAccess);
  if (!stop) return;
  uint32_t ignored = 0;
  (void)counters_.QueryDwordValue(*stop, kCpuUsageValue, ignored);  // the read stops the counter
  counters_.CloseKey(*stop);
}

void ModuleLoadSampler::QueryMemoryLevels(SystemLevels& levels) {
  const MemoryStatus m = counters_.GlobalMemoryStatus();
  levels.MemoryLoadPercent = static_cast<float>(m.memoryLoad);
  levels.PhysicalMemoryTotal = m.totalPhys;
  levels.PhysicalMemoryAvailable = m.availPhys;
  levels.PhysicalMemoryAvailablePercent = InUsePercent(m.availPhys, m.totalPhys);
  levels.PageFileTotal = m.totalPageFile;
  levels.PageFileAvailable = m.availPageFile;
  levels.PageFileAvailablePercent = InUsePercent(m.availPageFile, m.totalPageFile);
  levels.VirtualMemoryTotal = m.totalVirtual;
  levels.VirtualMemoryAvailable = m.availVirtual;
  levels.VirtualMemoryAvailablePercent = InUsePercent(m.availVirtual, m.totalVirtual);
}

void ModuleLoadSampler::QueryDiskLevels(std::string_view rootPath, SystemLevels& levels) {
  uint64_t total = 0;
  uint64_t totalFree = 0;
  uint64_t freeToCaller = 0;
  float percent = 0.0f;
  // An empty root would mean "the current directory" to the platform; the
  // control's contract is zeros for it.
  if (!rootPath.empty()) {
    if (counters_.HasDiskFreeSpaceEx()) {
      if (auto d = counters_.DiskFreeSpaceEx(rootPath)) {
        total = d->total;
        totalFree = d->totalFree;
        freeToCaller = d->freeToCaller;
        percent = FreePercent(freeToCaller, total);
      }
    } else if (auto c = counters_.DiskFreeSpace(rootPath)) {
      const uint64_t clusterBytes = MulSat(c->sectorsPerCluster, c->bytesPerSector);
      total = MulSat(clusterBytes, c->totalClusters);
      totalFree = MulSat(clusterBytes, c->freeClusters);
      percent = FreePercent(totalFree, total);
      freeToCaller = totalFree;
    }
  }
  levels.HDTotalBytes = BytesToFixed(total);
  levels.HDTotalFreeBytes = BytesToFixed(totalFree);
  levels.HDAvailableFreeBytes = BytesToFixed(freeToCaller);
  levels.HDTotalBytesUsed = levels.HDTotalBytes - levels.HDAvailableFreeBytes;
  levels.HDAvailablePercent = percent;
}

std::string ModuleLoadSampler::GetWindowsDirectoryPath() { return counters_.WindowsDirectory(); }

}  // namespace tarvex
