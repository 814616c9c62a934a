// The /proc parsers on fixtures and the sampler's formulas over them: what the
// monitor shows on Linux.
#include "platform/linux/load_counters_linux.h"

#include <gtest/gtest.h>

#include "linux/temp_dir.h"
#include "monitor/load_sampler.h"
#include "monitor/system_levels.h"

namespace tarvex {
namespace {

using testing::TempDir;

constexpr char kStatTwoCpus[] =
    "cpu  100 0 100 700 100 0 0 0 50 0\n"
    "cpu0 50 0 50 350 50 0 0 0 25 0\n"
    "cpu1 50 0 50 350 50 0 0 0 25 0\n"
    "intr 12345 0 0\n"
    "ctxt 999\n";

TEST(ProcStat, ReadsTheAggregateLineAndCountsProcessorsAcrossKernelLayouts) {
  // Idle includes iowait; guest time is already inside user and not added.
  const auto two = ParseProcStat(kStatTwoCpus);
  ASSERT_TRUE(two);
  EXPECT_EQ(two->idleTicks, 800u);
  EXPECT_EQ(two->totalTicks, 1000u);
  EXPECT_EQ(two->processors, 2u);

  // An old kernel with only the first four fields, and no per-cpu lines.
  const auto old = ParseProcStat("cpu 10 20 30 40\n");
  ASSERT_TRUE(old);
  EXPECT_EQ(old->idleTicks, 40u);
  EXPECT_EQ(old->totalTicks, 100u);
  EXPECT_EQ(old->processors, 1u);

  EXPECT_FALSE(ParseProcStat(""));
  EXPECT_FALSE(ParseProcStat("cpu 10 20\n"));            // too few fields
  EXPECT_FALSE(ParseProcStat("cpu0 1 2 3 4\nintr 5\n"));  // no aggregate line
}

TEST(MemInfo, MissingFieldsFallBackOrGiveZeroPairs) {
  const MemoryStatus full = MemoryStatusOf(ParseMemInfo(
      "MemTotal:        8000 kB\nMemFree:  1000 kB\nMemAvailable:    2000 kB\nBuffers: 100 kB\nCached: 900 kB\n"
      "SwapTotal:       4000 kB\nSwapFree:        3000 kB\nCommitLimit:     8000 kB\nCommitted_AS:    6000 kB\n"));
  EXPECT_EQ(full.totalPhys, 8000 * 1024);
  EXPECT_EQ(full.availPhys, 2000 * 1024);
  EXPECT_EQ(full.memoryLoad, 75u);
  EXPECT_EQ(full.totalPageFile, 4000 * 1024);
  EXPECT_EQ(full.availPageFile, 3000 * 1024);
  EXPECT_EQ(full.totalVirtual, 8000 * 1024);
  EXPECT_EQ(full.availVirtual, 2000 * 1024);

  // A kernel without MemAvailable: free + buffers + cache. No swap lines, no
  // commit lines: those pairs are 0 (the sampler shows 0 % in use for them).
  const MemoryStatus old =
      MemoryStatusOf(ParseMemInfo("MemTotal: 8000 kB\nMemFree: 1000 kB\nBuffers: 100 kB\nCached: 900 kB\n"));
  EXPECT_EQ(old.availPhys, 2000 * 1024);
  EXPECT_EQ(old.totalPageFile, 0);
  EXPECT_EQ(old.totalVirtual, 0);
  EXPECT_EQ(old.availVirtual, 0);

  // Overcommitted past the limit: nothing left, not a negative amount.
  const MemoryStatus over =
      MemoryStatusOf(ParseMemInfo("MemTotal: 100 kB\nMemAvailable: 50 kB\nCommitLimit: 100 kB\nCommitted_AS: 250 kB\n"));
  EXPECT_EQ(over.availVirtual, 0);
  EXPECT_EQ(MemoryStatusOf(ParseMemInfo("")).totalPhys, 0);
}

TEST(LinuxSampler, ProcessorMemoryAndDiskFiguresFromFixtures) {
  TempDir proc;
  proc.Write("stat", kStatTwoCpus);
  proc.Write("meminfo", "MemTotal: 4000 kB\nMemAvailable: 1000 kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n"
                        "CommitLimit: 2000 kB\nCommitted_AS: 500 kB\n");
  LinuxLoadCounters counters(proc.Path());
  ModuleLoadSampler sampler(counters);
  bool isNT = sampler.IsWindowsNT();
  ASSERT_TRUE(isNT);
  sampler.InitCPUCounter(isNT);

  // Since the start: 100 of 1000 ticks more, 30 of them idle -> 70 % busy.
  proc.Write("stat", "cpu  140 0 130 720 110 0 0 0 0 0\ncpu0 0\ncpu1 0\n");
  EXPECT_EQ(sampler.QueryCPUUsage(isNT), 70.0f);
  // Nothing moved at all: the formula's own answer for an empty interval.
  EXPECT_EQ(sampler.QueryCPUUsage(isNT), 100.0f);
  // All idle since the last call.
  proc.Write("stat", "cpu  140 0 130 820 110 0 0 0 0 0\ncpu0 0\ncpu1 0\n");
  EXPECT_EQ(sampler.QueryCPUUsage(isNT), 0.0f);
  // An unreadable file: -1, and the previous counters stay.
  proc.Write("stat", "garbage\n");
  EXPECT_EQ(sampler.QueryCPUUsage(isNT), -1.0f);
  proc.Write("stat", "cpu  190 0 130 870 110 0 0 0 0 0\ncpu0 0\ncpu1 0\n");
  EXPECT_EQ(sampler.QueryCPUUsage(isNT), 50.0f);

  SystemLevels levels;
  sampler.QueryMemoryLevels(levels);
  EXPECT_EQ(levels.MemoryLoadPercent, 75.0f);
  EXPECT_EQ(levels.PhysicalMemoryAvailablePercent, 75.0f);
  EXPECT_EQ(levels.PageFileTotal, 0);
  EXPECT_EQ(levels.PageFileAvailablePercent, 0.0f);
  EXPECT_EQ(levels.VirtualMemoryAvailablePercent, 25.0f);

  // The default disk is "/", and so is a Windows drive root; a path that does
  // not exist gives zeros.
  EXPECT_EQ(sampler.GetWindowsDirectoryPath(), "/");
  SystemLevels root, drive, missing;
  sampler.QueryDiskLevels("/", root);
  sampler.QueryDiskLevels("C:\\", drive);
  sampler.QueryDiskLevels(proc.Path() + "/no/such/mount", missing);
  EXPECT_GT(root.HDTotalBytes.Scaled(), 0);
  EXPECT_EQ(drive.HDTotalBytes, root.HDTotalBytes);
  EXPECT_EQ(missing, SystemLevels{});
}

}  // namespace
}  // namespace tarvex
