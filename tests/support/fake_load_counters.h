// Scripted load counters for the sampler's and the monitor's tests: every
// figure is a field the test sets, every call is logged in order.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/load_counters.h"

namespace tarvex {

class FakeLoadCounters final : public LoadCounters {
 public:
  uint32_t PlatformId() override { return platformId; }

  NtStatus QueryProcessorCount(uint8_t& n) override {
    log.push_back("basic");
    if (basicStatus == 0) n = processors;
    return basicStatus;
  }
  NtStatus QueryIdleTime(int64_t& t) override {
    log.push_back("performance");
    if (performanceStatus == 0) t = idleTime;
    return performanceStatus;
  }
  NtStatus QueryCurrentTime(int64_t& t) override {
    log.push_back("timeofday");
    if (timeOfDayStatus == 0) t = currentTime;
    return timeOfDayStatus;
  }

  std::optional<RegistryKeyHandle> OpenDynDataKey(std::string_view subKey, uint32_t access) override {
    log.push_back("open " + std::string(subKey) + " " + std::to_string(access));
    if (!openableKeys.count(std::string(subKey))) return std::nullopt;
    RegistryKeyHandle h = nextHandle++;
    openKeys[h] = std::string(subKey);
    return h;
  }
  bool QueryDwordValue(RegistryKeyHandle key, std::string_view name, uint32_t& value) override {
    auto it = openKeys.find(key);
    log.push_back("read " + (it == openKeys.end() ? std::string("?") : it->second) + " " +
                  std::string(name));
    if (it == openKeys.end() || failReads) return false;
    value = cpuUsageValue;
    return true;
  }
  void CloseKey(RegistryKeyHandle key) override {
    auto it = openKeys.find(key);
    log.push_back("close " + (it == openKeys.end() ? std::string("?") : it->second));
    if (it != openKeys.end()) openKeys.erase(it);
  }

  MemoryStatus GlobalMemoryStatus() override {
    log.push_back("memory");
    return memory;
  }

  bool HasDiskFreeSpaceEx() override { return hasDiskFreeSpaceEx; }
  std::optional<DiskSpaceBytes> DiskFreeSpaceEx(std::string_view root) override {
    log.push_back("diskex " + std::string(root));
    auto it = disksEx.find(std::string(root));
    if (it == disksEx.end()) return std::nullopt;
    return it->second;
  }
  std::optional<DiskClusters> DiskFreeSpace(std::string_view root) override {
    log.push_back("disk " + std::string(root));
    auto it = disks.find(std::string(root));
    if (it == disks.end()) return std::nullopt;
    return it->second;
  }

  std::string WindowsDirectory() override { return windowsDirectory; }
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }

  // --- script ---
  uint32_t platformId = kPlatformWin32Nt;
  uint8_t processors = 1;
  int64_t idleTime = 0;     // 100 ns, all processors
  int64_t currentTime = 0;  // 100 ns
  NtStatus basicStatus = 0;
  NtStatus performanceStatus = 0;
  NtStatus timeOfDayStatus = 0;

  std::map<std::string, bool> openableKeys;  // sub-keys under HKEY_DYN_DATA that open
  std::map<RegistryKeyHandle, std::string> openKeys;
  RegistryKeyHandle nextHandle = 100;
  uint32_t cpuUsageValue = 0;
  bool failReads = false;

  MemoryStatus memory;
  bool hasDiskFreeSpaceEx = true;
  std::map<std::string, DiskSpaceBytes> disksEx;
  std::map<std::string, DiskClusters> disks;
  std::string windowsDirectory = "C:\\windows";

  std::vector<std::string> messages;
  std::vector<std::string> log;
};

}  // namespace tarvex
