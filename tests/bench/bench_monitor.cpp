// Per-tick costs of the monitor: one full load sample (the sampler's own work
// over scripted counters) and one tick (sample + full redraw) of the main
// window's instance, 441 x 89, on the raster with every series shown.
#include <benchmark/benchmark.h>

#include "monitor/load_sampler.h"
#include "monitor/main_window_monitor.h"
#include "support/fake_load_counters.h"
#include "support/fake_site.h"

namespace tarvex {
namespace {

void PrimeCounters(FakeLoadCounters& c) {
  c.processors = 4;
  c.memory = {37, 16LL << 30, 6LL << 30, 20LL << 30, 9LL << 30, 128LL << 40, 120LL << 40};
  c.disksEx["C:\\"] = {200'000'000'000, 500'000'000'000, 210'000'000'000};
}

void BM_MonitorFullSample(benchmark::State& state) {
  FakeLoadCounters counters;
  PrimeCounters(counters);
  ModuleLoadSampler sampler(counters);
  bool nt = sampler.IsWindowsNT();
  sampler.InitCPUCounter(nt);
  SystemLevels levels;
  for (auto _ : state) {
    counters.currentTime += 5'000'000;
    counters.idleTime += 11'000'000;
    counters.log.clear();
    sampler.QueryMemoryLevels(levels);
    sampler.QueryDiskLevels("C:\\", levels);
    levels.CPULoadPercent = sampler.QueryCPUUsage(nt);
    benchmark::DoNotOptimize(levels);
  }
}
BENCHMARK(BM_MonitorFullSample);

// Ticks with a full history (every column drawn), lines/points/bars. The
// share of one core at the main window's 2 ticks a second is 2 x the time.
void BM_MonitorTick441x89(benchmark::State& state) {
  FakeControlSite site(kMainWindowMonitorWidthPx, kMainWindowMonitorHeightPx);
  FakeLoadCounters counters;
  PrimeCounters(counters);
  ModuleLoadSampler sampler(counters);
  InvariantNumberLocale locale;
  auto monitor = CreateMainWindowMonitor(site, sampler, locale);
  monitor->SetDiagramStyle(static_cast<int32_t>(state.range(0)));
  int64_t step = 0;
  auto tick = [&] {
    counters.currentTime += 5'000'000;
    counters.idleTime += 5'000'000 + (step++ * 7919) % 12'000'000;  // a wandering load
    counters.memory.availPhys = (4LL << 30) + ((step * 104729) % (4LL << 30));
    counters.log.clear();
    monitor->OnTimer(SystemMonitor::kTimer1);
  };
  for (int i = 0; i < kMainWindowMonitorWidthPx; ++i) tick();
  for (auto _ : state) tick();
}
BENCHMARK(BM_MonitorTick441x89)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvex
