// The real Windows load counters through the sampler: the figures must be
// sane on whatever machine (or Wine) runs this. A measurement mode prints a
// series for scripts/measure-load.sh to compare with the host's own figures.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "monitor/load_sampler.h"
#include "platform/win32/load_counters_win32.h"
#include "platform/win32/locale_win32.h"

namespace tarvex {
namespace {

class RealCounters : public testing::Test {
 protected:
  Win32LoadCounters counters;
  ModuleLoadSampler sampler{counters};
};

TEST_F(RealCounters, NtFamilyWithWorkingKernelCounters) {
  EXPECT_TRUE(sampler.IsWindowsNT());
  uint8_t processors = 0;
  ASSERT_EQ(counters.QueryProcessorCount(processors), 0);
  SYSTEM_INFO si{};
  GetSystemInfo(&si);
  EXPECT_EQ(processors, static_cast<uint8_t>(si.dwNumberOfProcessors));
  auto systemTime = [] {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    return static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
  };
  int64_t t1 = 0, t2 = 0, idle1 = 0, idle2 = 0;
  const int64_t before = systemTime();
  ASSERT_EQ(counters.QueryCurrentTime(t1), 0);
  ASSERT_EQ(counters.QueryIdleTime(idle1), 0);
  Sleep(200);
  ASSERT_EQ(counters.QueryCurrentTime(t2), 0);
  ASSERT_EQ(counters.QueryIdleTime(idle2), 0);
  const int64_t after = systemTime();
  // The current time is the system's FILETIME, read between the two clock
  // readings around it (half a second for the clocks' update intervals),
  // and it has advanced by the sleep at least.
  constexpr int64_t kSlack = 5'000'000;
  EXPECT_GE(t1, before - kSlack);
  EXPECT_LE(t2, after + kSlack);
  EXPECT_GE(t2 - t1, 1'500'000);
  EXPECT_GE(idle2, idle1);
  EXPECT_LE(idle2 - idle1, (t2 - t1) * processors + 2'000'000) << "idle is bounded by wall time";
}

TEST_F(RealCounters, ProcessorUsageBetweenZeroAndHundred) {
  bool nt = sampler.IsWindowsNT();
  sampler.InitCPUCounter(nt);
  EXPECT_NE(sampler.PreviousSystemTime(), 0);
  for (int i = 0; i < 3; ++i) {
    Sleep(300);
    const float usage = sampler.QueryCPUUsage(nt);
    // Not clamped: the idle and wall clocks may disagree by a point either way.
    EXPECT_GE(usage, -5.0f);
    EXPECT_LE(usage, 105.0f);
  }
  sampler.CloseCPUCounter(nt);
}

TEST_F(RealCounters, MemoryFiguresAreConsistent) {
  SystemLevels l;
  sampler.QueryMemoryLevels(l);
  EXPECT_GT(l.PhysicalMemoryTotal, 64LL << 20);
  EXPECT_GT(l.PhysicalMemoryAvailable, 0);
  EXPECT_LE(l.PhysicalMemoryAvailable, l.PhysicalMemoryTotal);
  EXPECT_GE(l.PageFileTotal, l.PageFileAvailable);
  EXPECT_GT(l.VirtualMemoryTotal, 2LL << 30) << "a 64-bit process has more than 2 GB to address";
  for (float p : {l.MemoryLoadPercent, l.PhysicalMemoryAvailablePercent, l.PageFileAvailablePercent,
                  l.VirtualMemoryAvailablePercent}) {
    EXPECT_GE(p, 0.0f);
    EXPECT_LE(p, 100.0f);
  }
  // dwMemoryLoad and our share in use describe the same memory.
  EXPECT_NEAR(l.MemoryLoadPercent, l.PhysicalMemoryAvailablePercent, 5.0f);
}

TEST_F(RealCounters, DiskOfTheWindowsDirectoryAndAMissingOne) {
  const std::string windows = sampler.GetWindowsDirectoryPath();
  ASSERT_GE(windows.size(), 3u);
  EXPECT_EQ(windows.substr(1, 2), ":\\");
  ASSERT_TRUE(counters.HasDiskFreeSpaceEx());
  SystemLevels l;
  sampler.QueryDiskLevels(windows.substr(0, 3), l);
  EXPECT_GT(l.HDTotalBytes.Scaled(), 0);
  EXPECT_LE(l.HDAvailableFreeBytes, l.HDTotalBytes);
  EXPECT_LE(l.HDAvailableFreeBytes, l.HDTotalFreeBytes);
  EXPECT_EQ(l.HDTotalBytesUsed, l.HDTotalBytes - l.HDAvailableFreeBytes);
  EXPECT_GT(l.HDAvailablePercent, 0.0f);
  EXPECT_LE(l.HDAvailablePercent, 100.0f);

  // The cluster call sees the same disk (it tops out at 2^32 clusters).
  auto clusters = counters.DiskFreeSpace(windows.substr(0, 3));
  ASSERT_TRUE(clusters.has_value());
  EXPECT_GT(clusters->totalClusters, 0u);

  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Z'; letter >= 'D'; --letter) {
    if (drives & (1u << (letter - 'A'))) continue;
    SystemLevels missing;
    sampler.QueryDiskLevels(std::string(1, letter) + ":\\", missing);
    EXPECT_EQ(missing.HDTotalBytes.Scaled(), 0) << letter;
    EXPECT_EQ(missing.HDAvailablePercent, 0.0f) << letter;
    break;
  }
}

TEST(RealLocale, SeparatorsAreReadable) {
  const NumberSeparators s = Win32NumberLocale().Separators();
  EXPECT_FALSE(s.decimal.empty());
  EXPECT_NE(s.decimal, s.thousands);
}

// Not a check: prints one line per interval for scripts/measure-load.sh.
// TARVEX_MEASURE_INTERVALS (count) and TARVEX_MEASURE_MS (length) set the
// series; under Wine the host's /proc/stat line is printed beside it.
TEST_F(RealCounters, DISABLED_MeasureSeries) {
  const char* countText = std::getenv("TARVEX_MEASURE_INTERVALS");
  const char* msText = std::getenv("TARVEX_MEASURE_MS");
  const int count = countText ? std::atoi(countText) : 5;
  const int ms = msText ? std::atoi(msText) : 1000;
  auto procStat = [] {
    std::ifstream in("Z:\\proc\\stat");
    std::string line;
    std::getline(in, line);
    return line;
  };
  bool nt = sampler.IsWindowsNT();
  std::printf("start %s\n", procStat().c_str());
  sampler.InitCPUCounter(nt);
  for (int i = 0; i < count; ++i) {
    Sleep(static_cast<DWORD>(ms));
    const float usage = sampler.QueryCPUUsage(nt);
    const std::string stat = procStat();
    std::printf("cpu %.0f %s\n", usage, stat.c_str());
    std::fflush(stdout);
  }
  SystemLevels l;
  sampler.QueryMemoryLevels(l);
  sampler.QueryDiskLevels("C:\\", l);
  std::printf("mem %lld %lld %lld %lld %.0f\n", static_cast<long long>(l.PhysicalMemoryTotal),
              static_cast<long long>(l.PhysicalMemoryAvailable),
              static_cast<long long>(l.PageFileTotal), static_cast<long long>(l.PageFileAvailable),
              l.MemoryLoadPercent);
  std::printf("disk %lld %lld %lld\n", static_cast<long long>(l.HDTotalBytes.Scaled() / 10000),
              static_cast<long long>(l.HDTotalFreeBytes.Scaled() / 10000),
              static_cast<long long>(l.HDAvailableFreeBytes.Scaled() / 10000));
  // The cost of one full sample through the real calls, for the record.
  LARGE_INTEGER frequency{}, begin{}, end{};
  QueryPerformanceFrequency(&frequency);
  constexpr int kSamples = 200;
  QueryPerformanceCounter(&begin);
  for (int i = 0; i < kSamples; ++i) {
    sampler.QueryMemoryLevels(l);
    sampler.QueryDiskLevels("C:\\", l);
    l.CPULoadPercent = sampler.QueryCPUUsage(nt);
  }
  QueryPerformanceCounter(&end);
  std::printf("sample_us %.1f\n", 1e6 * static_cast<double>(end.QuadPart - begin.QuadPart) /
                                      static_cast<double>(frequency.QuadPart) / kSamples);
  // And each of its three parts.
  auto partUs = [&](auto&& part) {
    QueryPerformanceCounter(&begin);
    for (int i = 0; i < kSamples; ++i) part();
    QueryPerformanceCounter(&end);
    return 1e6 * static_cast<double>(end.QuadPart - begin.QuadPart) /
           static_cast<double>(frequency.QuadPart) / kSamples;
  };
  const double memoryUs = partUs([&] { sampler.QueryMemoryLevels(l); });
  const double diskUs = partUs([&] { sampler.QueryDiskLevels("C:\\", l); });
  const double cpuUs = partUs([&] { l.CPULoadPercent = sampler.QueryCPUUsage(nt); });
  std::printf("parts_us memory %.1f disk %.1f cpu %.1f\n", memoryUs, diskUs, cpuUs);
  std::fflush(stdout);
}

}  // namespace
}  // namespace tarvex
