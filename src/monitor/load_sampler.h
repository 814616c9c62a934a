// ModuleLoadSampler: the load-measuring routines of the monitor. Pure formulas
// over a LoadCounters source; they know nothing of drawing. One instance holds
// the program-wide counter state that every monitor control shares.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "monitor/system_levels.h"
#include "platform/load_counters.h"

namespace tarvex {

inline constexpr char kRegistryQueryFailedText[] = "Unable to Query Registry!";

class ModuleLoadSampler {
 public:
  // `counters` must outlive the sampler.
  explicit ModuleLoadSampler(LoadCounters& counters) : counters_(counters) {}
  ~ModuleLoadSampler();
  ModuleLoadSampler(const ModuleLoadSampler&) = delete;
  ModuleLoadSampler& operator=(const ModuleLoadSampler&) = delete;

  bool IsWindowsNT();
  // The NT flag is the calling control's; the routines take it by reference
  // as the control hands it over, but never change it.
  void InitCPUCounter(bool& isNT);
  // Percent of processor time used since the previous successful call, or -1.
  // Not clamped: the host sees whatever the counters give.
  float QueryCPUUsage(bool& isNT);
  void CloseCPUCounter(bool& isNT);
  // Fields 2 to 11; CPULoadPercent is left alone.
  void QueryMemoryLevels(SystemLevels& levels);
  // Fields 12 to 16 for a root path such as "C:\"; all zero when it fails.
  void QueryDiskLevels(std::string_view rootPath, SystemLevels& levels);
  std::string GetWindowsDirectoryPath();

  // The NT counter pair (100 ns units), for tests and diagnostics.
  int64_t PreviousIdleTime() const { return prevIdle_; }
  int64_t PreviousSystemTime() const { return prevTime_; }
  bool HoldsStatDataKey() const { return statDataKey_ != 0; }

 private:
  float QueryNtUsage();
  float Query9xUsage();

  LoadCounters& counters_;
  int64_t prevIdle_ = 0;  // NT: idle time of all processors at the last measurement
  int64_t prevTime_ = 0;  // NT: system time at the last measurement
  RegistryKeyHandle statDataKey_ = 0;  // 9x: "PerfStats\StatData", open between Init and Close
};

// The NT usage formula on counter deltas (100 ns units): the idle share of
// the interval divided over the processors, + 0.5, rounded to 4 decimals and
// then to a whole number, halves to even. A zero time delta reads the idle
// delta itself as the fraction (4-decimal fixed point).
float NtUsagePercent(int64_t idleDelta, int64_t timeDelta, uint8_t processors);

}  // namespace tarvex
