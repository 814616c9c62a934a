// The load sampler's formulas over scripted counters: NT processor usage, the
// 9x registry counter, memory shares and disk space.
#include <gtest/gtest.h>

#include <algorithm>

#include "monitor/load_sampler.h"
#include "support/fake_load_counters.h"

namespace tarvex {
namespace {

constexpr int64_t kSecond = 10'000'000;  // 100 ns units

class NtSampler : public testing::Test {
 protected:
  // Starts the counter at an arbitrary moment, then advances both counters.
  void StartAt(int64_t time, int64_t idle) {
    counters.currentTime = time;
    counters.idleTime = idle;
    sampler.InitCPUCounter(isNT);
  }
  float Advance(int64_t timeDelta, int64_t idleDelta) {
    counters.currentTime += timeDelta;
    counters.idleTime += idleDelta;
    return sampler.QueryCPUUsage(isNT);
  }

  FakeLoadCounters counters;
  ModuleLoadSampler sampler{counters};
  bool isNT = true;
};

TEST_F(NtSampler, FormulaCasesIncludingHalvesToEven) {
  StartAt(132'000'000'000'000'000, 5'000'000'000);
  counters.processors = 1;
  EXPECT_EQ(Advance(kSecond, kSecond), 0.0f) << "idle throughout: 100 - 100 + 0.5 rounds to 0";
  EXPECT_EQ(Advance(kSecond, 0), 100.0f) << "busy throughout: 100.5 rounds to 100";
  EXPECT_EQ(Advance(0, 0), 100.0f) << "two measurements in one clock tick";
  counters.processors = 2;
  // Idle fraction 0.3 of the interval, summed over both processors.
  EXPECT_EQ(Advance(kSecond, 3 * kSecond / 10), 86.0f) << "100 - 15 + 0.5 = 85.5 rounds to 86";
  EXPECT_EQ(Advance(kSecond, kSecond), 50.0f) << "one of two processors idle: 50.5 -> 50";
  EXPECT_EQ(Advance(4 * kSecond, 3 * kSecond), 63.0f) << "62.5 + 0.5 = 63 exactly";
}

TEST_F(NtSampler, ResultIsNotClampedAndFormulaUsesFourDecimals) {
  StartAt(1000, 1000);
  counters.processors = 1;
  // More idle time than wall time (a counter glitch) goes below zero unclamped.
  EXPECT_EQ(Advance(kSecond, 2 * kSecond), -100.0f);
  // The idle fraction is rounded to 4 decimals before use: 1/3 -> 0.3333.
  EXPECT_EQ(NtUsagePercent(1, 3, 1), 67.0f);   // 100 - 33.33 + 0.5 = 67.17
  EXPECT_EQ(NtUsagePercent(5, 0, 1), 100.0f);  // zero time delta: 5 read as 0.0005
  EXPECT_EQ(NtUsagePercent(5000, 0, 1), 50.0f);  // 0.5 idle -> 50.5 -> 50
}

TEST_F(NtSampler, QueriesInOrderAndFailureKeepsCounters) {
  StartAt(10 * kSecond, 4 * kSecond);
  EXPECT_EQ(counters.log, (std::vector<std::string>{"timeofday", "performance"}));
  counters.log.clear();
  Advance(kSecond, kSecond / 2);
  EXPECT_EQ(counters.log, (std::vector<std::string>{"basic", "timeofday", "performance"}));
  const int64_t prevTime = sampler.PreviousSystemTime();
  const int64_t prevIdle = sampler.PreviousIdleTime();

  for (NtStatus* status : {&counters.basicStatus, &counters.timeOfDayStatus,
                           &counters.performanceStatus}) {
    *status = static_cast<NtStatus>(0xC0000004);
    EXPECT_EQ(Advance(kSecond, kSecond), -1.0f);
    EXPECT_EQ(sampler.PreviousSystemTime(), prevTime);
    EXPECT_EQ(sampler.PreviousIdleTime(), prevIdle);
    *status = 0;
  }
  // The next good call covers everything since the last good one: 4 s, 3.5 s idle.
  EXPECT_EQ(Advance(kSecond, kSecond / 2), 13.0f);  // 100 - 87.5 + 0.5 = 13
}

TEST_F(NtSampler, ZeroProcessorCountIsAFailedMeasurementNotADivision) {
  StartAt(kSecond, 0);
  counters.processors = 0;
  EXPECT_EQ(Advance(kSecond, kSecond), -1.0f);
  EXPECT_EQ(sampler.PreviousSystemTime(), kSecond);
}

TEST_F(NtSampler, FailedStartLeavesZeroCountersSoFirstFigureIsAboutHundred) {
  counters.performanceStatus = 1;
  StartAt(130'000'000'000'000'000, 2 * kSecond);
  EXPECT_EQ(sampler.PreviousSystemTime(), 0);
  counters.performanceStatus = 0;
  EXPECT_EQ(Advance(kSecond, kSecond), 100.0f);
}

TEST(Sampler, PlatformFamilyFromPlatformId) {
  FakeLoadCounters counters;
  ModuleLoadSampler sampler(counters);
  counters.platformId = kPlatformWin32Nt;
  EXPECT_TRUE(sampler.IsWindowsNT());
  counters.platformId = kPlatformWin32Windows;
  EXPECT_FALSE(sampler.IsWindowsNT());
  counters.platformId = 0;  // the call failed
  EXPECT_FALSE(sampler.IsWindowsNT());
}

class Win9xSampler : public testing::Test {
 protected:
  void SetUp() override {
    counters.platformId = kPlatformWin32Windows;
    counters.openableKeys = {{"PerfStats\\StartStat", true},
                             {"PerfStats\\StatData", true},
                             {"PerfStats\\StopStat", true}};
  }
  FakeLoadCounters counters;
  ModuleLoadSampler sampler{counters};
  bool isNT = false;
};

TEST_F(Win9xSampler, StartReadLowByteStop) {
  sampler.InitCPUCounter(isNT);
  EXPECT_EQ(counters.log, (std::vector<std::string>{
                              "open PerfStats\\StartStat 983103",
                              "read PerfStats\\StartStat KERNEL\\CPUUsage",
                              "close PerfStats\\StartStat",
                              "open PerfStats\\StatData 131097",
                          }));
  EXPECT_TRUE(sampler.HoldsStatDataKey());
  counters.cpuUsageValue = 0x00000132;
  EXPECT_EQ(sampler.QueryCPUUsage(isNT), 50.0f) << "only the low byte 0x32 counts";
  EXPECT_TRUE(counters.messages.empty());

  counters.log.clear();
  sampler.CloseCPUCounter(isNT);
  EXPECT_EQ(counters.log, (std::vector<std::string>{
                              "close PerfStats\\StatData",
                              "open PerfStats\\StopStat 983103",
                              "read PerfStats\\StopStat KERNEL\\CPUUsage",
                              "close PerfStats\\StopStat",
                          }));
  EXPECT_TRUE(counters.openKeys.empty());
}

TEST_F(Win9xSampler, FailedReadShowsMessageEveryTimeAndGivesMinusOne) {
  sampler.InitCPUCounter(isNT);
  counters.failReads = true;
  EXPECT_EQ(sampler.QueryCPUUsage(isNT), -1.0f);
  EXPECT_EQ(sampler.QueryCPUUsage(isNT), -1.0f);
  EXPECT_EQ(counters.messages,
            (std::vector<std::string>{"Unable to Query Registry!", "Unable to Query Registry!"}));
}

TEST_F(Win9xSampler, MissingStartOrStopKeyEndsSilently) {
  counters.openableKeys.erase("PerfStats\\StartStat");
  counters.openableKeys.erase("PerfStats\\StopStat");
  sampler.InitCPUCounter(isNT);
  EXPECT_FALSE(sampler.HoldsStatDataKey());
  sampler.CloseCPUCounter(isNT);
  EXPECT_TRUE(counters.openKeys.empty());
  EXPECT_TRUE(counters.messages.empty());
  bool nt = true;
  counters.log.clear();
  sampler.CloseCPUCounter(nt);  // nothing to stop on NT
  EXPECT_TRUE(counters.log.empty());
}

TEST(Sampler, MemorySharesInUseWithWideTotals) {
  FakeLoadCounters counters;
  ModuleLoadSampler sampler(counters);
  constexpr int64_t kGiB = 1LL << 30;
  counters.memory = {37, 16 * kGiB, 4 * kGiB, 20 * kGiB, 15 * kGiB, 128LL * 1024 * kGiB, 96LL * 1024 * kGiB};
  SystemLevels levels;
  levels.CPULoadPercent = 12;
  sampler.QueryMemoryLevels(levels);
  EXPECT_EQ(levels.MemoryLoadPercent, 37.0f);
  EXPECT_EQ(levels.PhysicalMemoryTotal, 16 * kGiB);
  EXPECT_EQ(levels.PhysicalMemoryAvailable, 4 * kGiB);
  EXPECT_FLOAT_EQ(levels.PhysicalMemoryAvailablePercent, 75.0f);
  EXPECT_FLOAT_EQ(levels.PageFileAvailablePercent, 25.0f);
  EXPECT_FLOAT_EQ(levels.VirtualMemoryAvailablePercent, 25.0f);
  EXPECT_EQ(levels.VirtualMemoryTotal, 128LL * 1024 * kGiB);
  EXPECT_EQ(levels.CPULoadPercent, 12.0f) << "memory query leaves the processor figure alone";

  counters.memory = {};  // a zero total must not divide by zero
  sampler.QueryMemoryLevels(levels);
  EXPECT_EQ(levels.PageFileAvailablePercent, 0.0f);
}

TEST(Sampler, DiskWithTheSixtyFourBitCall) {
  FakeLoadCounters counters;
  ModuleLoadSampler sampler(counters);
  counters.disksEx["D:\\"] = {250'000'000'000, 1'000'000'000'000, 300'000'000'000};
  SystemLevels levels;
  sampler.QueryDiskLevels("D:\\", levels);
  EXPECT_EQ(levels.HDTotalBytes, Fixed4::FromInteger(1'000'000'000'000));
  EXPECT_EQ(levels.HDTotalBytes.Scaled(), 10'000'000'000'000'000);
  EXPECT_EQ(levels.HDTotalFreeBytes, Fixed4::FromInteger(300'000'000'000));
  EXPECT_EQ(levels.HDAvailableFreeBytes, Fixed4::FromInteger(250'000'000'000));
  EXPECT_EQ(levels.HDTotalBytesUsed, Fixed4::FromInteger(750'000'000'000));
  EXPECT_EQ(levels.HDAvailablePercent, 25.0f);

  counters.disksEx["E:\\"] = {1, 3, 1};
  sampler.QueryDiskLevels("E:\\", levels);
  EXPECT_FLOAT_EQ(levels.HDAvailablePercent, 33.3333f) << "rounded to 4 decimals";
}

TEST(Sampler, DiskFailuresGiveFiveZeros) {
  FakeLoadCounters counters;
  ModuleLoadSampler sampler(counters);
  counters.disksEx["C:\\"] = {1, 2, 1};
  counters.disksEx["Z:\\"] = {0, 0, 0};  // an empty medium: no division by zero
  const SystemLevels zeros;
  for (const char* root : {"Q:\\", "Z:\\", ""}) {
    SystemLevels levels;
    sampler.QueryDiskLevels("C:\\", levels);
    sampler.QueryDiskLevels(root, levels);
    EXPECT_EQ(levels.HDTotalBytes, zeros.HDTotalBytes) << root;
    EXPECT_EQ(levels.HDTotalFreeBytes, zeros.HDTotalFreeBytes) << root;
    EXPECT_EQ(levels.HDAvailableFreeBytes, zeros.HDAvailableFreeBytes) << root;
    EXPECT_EQ(levels.HDTotalBytesUsed, zeros.HDTotalBytesUsed) << root;
    EXPECT_EQ(levels.HDAvailablePercent, 0.0f) << root;
  }
  // An empty root never reaches the platform (it would mean the current directory).
  EXPECT_EQ(std::count(counters.log.begin(), counters.log.end(), "diskex "), 0);
}

TEST(Sampler, DiskByClustersWhenTheSixtyFourBitCallIsMissing) {
  FakeLoadCounters counters;
  ModuleLoadSampler sampler(counters);
  counters.hasDiskFreeSpaceEx = false;
  counters.disks["C:\\"] = {8, 512, 100'000, 400'000};  // 4 KiB clusters
  SystemLevels levels;
  sampler.QueryDiskLevels("C:\\", levels);
  EXPECT_EQ(counters.log.back(), "disk C:\\");
  EXPECT_EQ(levels.HDTotalBytes, Fixed4::FromInteger(1'638'400'000));
  EXPECT_EQ(levels.HDTotalFreeBytes, Fixed4::FromInteger(409'600'000));
  EXPECT_EQ(levels.HDAvailableFreeBytes, levels.HDTotalFreeBytes);
  EXPECT_EQ(levels.HDTotalBytesUsed, Fixed4::FromInteger(1'228'800'000));
  EXPECT_EQ(levels.HDAvailablePercent, 25.0f);
}

TEST(Sampler, HugeDiskSaturatesTheFixedPointInsteadOfWrapping) {
  FakeLoadCounters counters;
  ModuleLoadSampler sampler(counters);
  counters.disksEx["C:\\"] = {1ULL << 60, 1ULL << 61, 1ULL << 60};
  SystemLevels levels;
  sampler.QueryDiskLevels("C:\\", levels);
  EXPECT_GT(levels.HDTotalBytes.Scaled(), 0);
  EXPECT_EQ(levels.HDAvailablePercent, 50.0f);
}

TEST(Sampler, WindowsDirectoryPassesThrough) {
  FakeLoadCounters counters;
  counters.windowsDirectory = "D:\\WINNT";
  ModuleLoadSampler sampler(counters);
  EXPECT_EQ(sampler.GetWindowsDirectoryPath(), "D:\\WINNT");
}

}  // namespace
}  // namespace tarvex
