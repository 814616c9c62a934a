// The load counters of Windows: NtQuerySystemInformation for the processor,
// GlobalMemoryStatusEx, the disk-space calls, GetWindowsDirectoryA and the 9x
// dynamic-data registry branch (present only on that family).
#pragma once

#include <windows.h>

#include "platform/load_counters.h"

namespace tarvex {

class Win32LoadCounters final : public LoadCounters {
 public:
  Win32LoadCounters();

  uint32_t PlatformId() override;
  NtStatus QueryProcessorCount(uint8_t& numberOfProcessors) override;
  NtStatus QueryIdleTime(int64_t& idleTime100ns) override;
  NtStatus QueryCurrentTime(int64_t& currentTime100ns) override;
  std::optional<RegistryKeyHandle> OpenDynDataKey(std::string_view subKey, uint32_t access) override;
  bool QueryDwordValue(RegistryKeyHandle key, std::string_view name, uint32_t& value) override;
  void CloseKey(RegistryKeyHandle key) override;
  MemoryStatus GlobalMemoryStatus() override;
  bool HasDiskFreeSpaceEx() override;
  std::optional<DiskSpaceBytes> DiskFreeSpaceEx(std::string_view rootPath) override;
  std::optional<DiskClusters> DiskFreeSpace(std::string_view rootPath) override;
  std::string WindowsDirectory() override;
  void ShowMessage(std::string_view text) override;

 private:
  using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  using GetDiskFreeSpaceExAFn = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                              PULARGE_INTEGER);

  NtStatus Query(ULONG infoClass, void* buffer, ULONG size) const;

  NtQuerySystemInformationFn ntQuery_ = nullptr;  // from ntdll, looked up once
};

}  // namespace tarvex
