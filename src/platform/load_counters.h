// The operating system's load counters as the load sampler reads them: the NT
// kernel's idle and wall-clock counters, the 9x dynamic-data registry counter,
// memory status, disk space and the Windows directory. Each method is one
// platform call with its raw result; every formula lives in the sampler.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// GetVersionEx's dwPlatformId values.
inline constexpr uint32_t kPlatformWin32Windows = 1;  // the 9x family
inline constexpr uint32_t kPlatformWin32Nt = 2;

// Status of an NtQuerySystemInformation call: 0 is success.
using NtStatus = int32_t;

// GlobalMemoryStatus(Ex), bytes. Widened to 64 bits: today's totals pass 2 GB.
struct MemoryStatus {
  uint32_t memoryLoad = 0;  // percent, as dwMemoryLoad
  int64_t totalPhys = 0;
  int64_t availPhys = 0;
  int64_t totalPageFile = 0;
  int64_t availPageFile = 0;
  int64_t totalVirtual = 0;
  int64_t availVirtual = 0;
};

// GetDiskFreeSpaceExA's three byte counts.
struct DiskSpaceBytes {
  uint64_t freeToCaller = 0;
  uint64_t total = 0;
  uint64_t totalFree = 0;
};

// GetDiskFreeSpaceA's cluster geometry.
struct DiskClusters {
  uint32_t sectorsPerCluster = 0;
  uint32_t bytesPerSector = 0;
  uint32_t freeClusters = 0;
  uint32_t totalClusters = 0;
};

// Registry access rights the sampler asks for (the Win32 values).
inline constexpr uint32_t kKeyRead = 0x20019;
inline constexpr uint32_t kKeyAllAccess = 0xF003F;

// An open registry key as an opaque integer; 0 is "none".
using RegistryKeyHandle = int64_t;

class LoadCounters {
 public:
  virtual ~LoadCounters() = default;

  // GetVersionExA's dwPlatformId (0 when the call fails).
  virtual uint32_t PlatformId() = 0;

  // NtQuerySystemInformation, the three classes the sampler uses; each fills
  // only the one field that is read.
  virtual NtStatus QueryProcessorCount(uint8_t& numberOfProcessors) = 0;  // class 0
  virtual NtStatus QueryIdleTime(int64_t& idleTime100ns) = 0;             // class 2
  virtual NtStatus QueryCurrentTime(int64_t& currentTime100ns) = 0;       // class 3

  // Keys under HKEY_DYN_DATA; nullopt when the key cannot be opened.
  virtual std::optional<RegistryKeyHandle> OpenDynDataKey(std::string_view subKey,
                                                          uint32_t access) = 0;
  // Reads a 4-byte value; false when the read fails.
  virtual bool QueryDwordValue(RegistryKeyHandle key, std::string_view name, uint32_t& value) = 0;
  virtual void CloseKey(RegistryKeyHandle key) = 0;

  virtual MemoryStatus GlobalMemoryStatus() = 0;

  // Whether kernel32 exports GetDiskFreeSpaceExA.
  virtual bool HasDiskFreeSpaceEx() = 0;
  virtual std::optional<DiskSpaceBytes> DiskFreeSpaceEx(std::string_view rootPath) = 0;
  virtual std::optional<DiskClusters> DiskFreeSpace(std::string_view rootPath) = 0;

  // GetWindowsDirectoryA into a 255-character buffer (ANSI text).
  virtual std::string WindowsDirectory() = 0;

  // A message box with this text, an OK button and the default title.
  virtual void ShowMessage(std::string_view text) = 0;
};

}  // namespace tarvex
