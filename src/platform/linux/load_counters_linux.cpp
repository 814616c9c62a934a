// /proc and statvfs behind the load sampler's counters.
#include "platform/linux/load_counters_linux.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

#include "platform/portable/ini_file.h"

namespace tarvex {
namespace {

constexpr int64_t k100nsPerSecond = 10'000'000;

std::string_view NextLine(std::string_view& text) {
  const size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  return line;
}

bool NextNumber(std::string_view& text, uint64_t& value) {
  const size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return false;
  text.remove_prefix(start);
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr == text.data()) return false;
  text.remove_prefix(static_cast<size_t>(ptr - text.data()));
  return true;
}

// Ticks to 100 ns without overflow for any uptime a machine reaches.
int64_t TicksTo100ns(uint64_t ticks, int64_t ticksPerSecond) {
  const auto hz = static_cast<uint64_t>(ticksPerSecond);
  const uint64_t seconds = ticks / hz;
  if (seconds > static_cast<uint64_t>(std::numeric_limits<int64_t>::max() / k100nsPerSecond) - 1) {
    return std::numeric_limits<int64_t>::max();
  }
  return static_cast<int64_t>(seconds) * k100nsPerSecond +
         static_cast<int64_t>((ticks % hz) * static_cast<uint64_t>(k100nsPerSecond) / hz);
}

// A drive root of the Windows settings ("C:\", "D:") stands for "/".
std::string MountPoint(std::string_view rootPath) {
  const bool driveRoot = rootPath.size() >= 2 && rootPath.size() <= 3 && rootPath[1] == ':' &&
                         (rootPath.size() == 2 || rootPath[2] == '\\' || rootPath[2] == '/');
  if (driveRoot || rootPath.empty()) return "/";
  return std::string(rootPath);
}

int64_t ToSigned(uint64_t bytes) {
  return static_cast<int64_t>(std::min<uint64_t>(bytes, static_cast<uint64_t>(std::numeric_limits<int64_t>::max())));
}

uint32_t Clamp32(uint64_t v) { return static_cast<uint32_t>(std::min<uint64_t>(v, 0xFFFFFFFFu)); }

}  // namespace

std::optional<ProcStatTimes> ParseProcStat(std::string_view text) {
  std::optional<ProcStatTimes> times;
  uint32_t processors = 0;
  while (!text.empty()) {
    std::string_view line = NextLine(text);
    if (line.substr(0, 3) != "cpu") continue;
    line.remove_prefix(3);
    if (!line.empty() && line[0] >= '0' && line[0] <= '9') {
      ++processors;
      continue;
    }
    // user nice system idle [iowait irq softirq steal]; guest time is already
    // inside user and nice, so it is not added again.
    uint64_t fields[8] = {};
    int n = 0;
    while (n < 8 && NextNumber(line, fields[n])) ++n;
    if (n < 4) return std::nullopt;
    ProcStatTimes t;
    t.idleTicks = fields[3] + fields[4];
    for (uint64_t f : fields) t.totalTicks += f;
    times = t;
  }
  if (!times) return std::nullopt;
  times->processors = std::max<uint32_t>(processors, 1);
  return times;
}

MemInfo ParseMemInfo(std::string_view text) {
  MemInfo info;
  const std::pair<std::string_view, std::optional<uint64_t> MemInfo::*> keys[] = {
      {"MemTotal", &MemInfo::memTotal},       {"MemFree", &MemInfo::memFree},
      {"MemAvailable", &MemInfo::memAvailable}, {"Buffers", &MemInfo::buffers},
      {"Cached", &MemInfo::cached},           {"SwapTotal", &MemInfo::swapTotal},
      {"SwapFree", &MemInfo::swapFree},       {"CommitLimit", &MemInfo::commitLimit},
      {"Committed_AS", &MemInfo::committedAs}};
  while (!text.empty()) {
    std::string_view line = NextLine(text);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view name = line.substr(0, colon);
    line.remove_prefix(colon + 1);
    uint64_t value = 0;
    if (!NextNumber(line, value)) continue;
    // Values are in kB when the unit is given, plain counts otherwise.
    if (line.find("kB") != std::string_view::npos) value *= 1024;
    for (const auto& [key, field] : keys) {
      if (key == name) info.*field = value;
    }
  }
  return info;
}

MemoryStatus MemoryStatusOf(const MemInfo& info) {
  MemoryStatus s;
  if (info.memTotal) {
    s.totalPhys = ToSigned(*info.memTotal);
    const uint64_t available =
        info.memAvailable ? *info.memAvailable
                          : info.memFree.value_or(0) + info.buffers.value_or(0) + info.cached.value_or(0);
    s.availPhys = ToSigned(std::min(available, *info.memTotal));
    if (s.totalPhys > 0) {
      const double used = 1.0 - static_cast<double>(s.availPhys) / static_cast<double>(s.totalPhys);
      s.memoryLoad = static_cast<uint32_t>(used * 100.0 + 0.5);
    }
  }
  if (info.swapTotal) {
    s.totalPageFile = ToSigned(*info.swapTotal);
    s.availPageFile = ToSigned(std::min(info.swapFree.value_or(0), *info.swapTotal));
  }
  if (info.commitLimit && info.committedAs) {
    // Overcommit lets the committed figure pass the limit: nothing is left then.
    s.totalVirtual = ToSigned(*info.commitLimit);
    s.availVirtual = *info.committedAs >= *info.commitLimit ? 0 : ToSigned(*info.commitLimit - *info.committedAs);
  }
  return s;
}

LinuxLoadCounters::LinuxLoadCounters(std::string procRoot)
    : procRoot_(std::move(procRoot)), ticksPerSecond_(std::max<long>(sysconf(_SC_CLK_TCK), 1)) {}

std::optional<ProcStatTimes> LinuxLoadCounters::ReadStat() {
  const std::optional<std::string> text = ReadWholeFile(procRoot_ + "/stat");
  if (!text) return std::nullopt;
  return ParseProcStat(*text);
}

NtStatus LinuxLoadCounters::QueryProcessorCount(uint8_t& numberOfProcessors) {
  const std::optional<ProcStatTimes> stat = ReadStat();
  if (!stat) return -1;
  numberOfProcessors = static_cast<uint8_t>(std::min<uint32_t>(stat->processors, 255));
  return 0;
}

NtStatus LinuxLoadCounters::QueryCurrentTime(int64_t& currentTime100ns) {
  lastStat_ = ReadStat();
  if (!lastStat_) return -1;
  // The processor count as the sampler sees it (at most 255), so that idle ÷
  // time ÷ processors is the idle share of all of them.
  const uint64_t processors = std::min<uint32_t>(lastStat_->processors, 255);
  currentTime100ns = TicksTo100ns(lastStat_->totalTicks, ticksPerSecond_) / static_cast<int64_t>(processors);
  return 0;
}

NtStatus LinuxLoadCounters::QueryIdleTime(int64_t& idleTime100ns) {
  if (!lastStat_) lastStat_ = ReadStat();
  if (!lastStat_) return -1;
  idleTime100ns = TicksTo100ns(lastStat_->idleTicks, ticksPerSecond_);
  lastStat_.reset();  // the next pair reads afresh
  return 0;
}

MemoryStatus LinuxLoadCounters::GlobalMemoryStatus() {
  const std::optional<std::string> text = ReadWholeFile(procRoot_ + "/meminfo");
  return text ? MemoryStatusOf(ParseMemInfo(*text)) : MemoryStatus{};
}

std::optional<DiskSpaceBytes> LinuxLoadCounters::DiskFreeSpaceEx(std::string_view rootPath) {
  struct statvfs st {};
  if (statvfs(MountPoint(rootPath).c_str(), &st) != 0) return std::nullopt;
  const uint64_t unit = st.f_frsize != 0 ? st.f_frsize : st.f_bsize;
  return DiskSpaceBytes{st.f_bavail * unit, st.f_blocks * unit, st.f_bfree * unit};
}

std::optional<DiskClusters> LinuxLoadCounters::DiskFreeSpace(std::string_view rootPath) {
  struct statvfs st {};
  if (statvfs(MountPoint(rootPath).c_str(), &st) != 0) return std::nullopt;
  const uint64_t unit = st.f_frsize != 0 ? st.f_frsize : st.f_bsize;
  return DiskClusters{1, Clamp32(unit), Clamp32(st.f_bfree), Clamp32(st.f_blocks)};
}

void LinuxLoadCounters::ShowMessage(std::string_view text) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace tarvex
