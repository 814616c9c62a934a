// Windows load counters: one platform call per method, raw results only.
#include "platform/win32/load_counters_win32.h"

#include <cstddef>
#include <cstring>
#include <string>

#include "platform/win32/common_controls_win32.h"
#include "platform/win32/wide_text.h"

namespace tarvex {
namespace {

// SYSTEM_BASIC_INFORMATION as ntdll lays it out: 44 bytes with the processor
// count at 40 on 32-bit Windows, 64 bytes with it at 56 on 64-bit.
struct SystemBasicInformation {
  ULONG reserved;
  ULONG timerResolution;
  ULONG pageSize;
  ULONG numberOfPhysicalPages;
  ULONG lowestPhysicalPageNumber;
  ULONG highestPhysicalPageNumber;
  ULONG allocationGranularity;
  ULONG_PTR minimumUserModeAddress;
  ULONG_PTR maximumUserModeAddress;
  ULONG_PTR activeProcessorsAffinityMask;
  CCHAR numberOfProcessors;
};
static_assert(offsetof(SystemBasicInformation, numberOfProcessors) == (sizeof(void*) == 8 ? 56 : 40));
static_assert(sizeof(SystemBasicInformation) == (sizeof(void*) == 8 ? 64 : 44));

constexpr ULONG kSystemBasicInformation = 0;
constexpr ULONG kSystemPerformanceInformation = 2;
constexpr ULONG kSystemTimeOfDayInformation = 3;
// SYSTEM_PERFORMANCE_INFORMATION grew over the releases (312 bytes at first);
// a larger buffer is accepted, and only IdleTime at offset 0 is read.
constexpr ULONG kPerformanceBufferBytes = 1024;
// SYSTEM_TIMEOFDAY_INFORMATION today (BootTime, CurrentTime at 8, ...);
// larger buffers are refused, the first 32 bytes were the old layout.
constexpr ULONG kTimeOfDayBytes = 48;
constexpr NtStatus kStatusProcedureNotFound = static_cast<NtStatus>(0xC000007A);

std::string AnsiToUtf8(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  return WideToUtf8(wide);
}

HKEY ToHkey(RegistryKeyHandle h) { return reinterpret_cast<HKEY>(static_cast<intptr_t>(h)); }

// A missing floppy or CD must fail quietly rather than ask the user.
class QuietCriticalErrors {
 public:
  QuietCriticalErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
  ~QuietCriticalErrors() { SetThreadErrorMode(previous_, nullptr); }
  QuietCriticalErrors(const QuietCriticalErrors&) = delete;
  QuietCriticalErrors& operator=(const QuietCriticalErrors&) = delete;

 private:
  DWORD previous_ = 0;
};

template <class Fn>
Fn LookUp(const char* module, const char* name) {
  HMODULE h = GetModuleHandleA(module);
  if (h == nullptr) return nullptr;
  // Through void(*)(): the one function type every other may be cast from.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(h, name)));
}

}  // namespace

Win32LoadCounters::Win32LoadCounters()
    : ntQuery_(LookUp<NtQuerySystemInformationFn>("ntdll.dll", "NtQuerySystemInformation")) {}

uint32_t Win32LoadCounters::PlatformId() {
  OSVERSIONINFOA info{};
  static_assert(sizeof(info) == 148);
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return 0;
#pragma GCC diagnostic pop
  return info.dwPlatformId;
}

NtStatus Win32LoadCounters::Query(ULONG infoClass, void* buffer, ULONG size) const {
  if (ntQuery_ == nullptr) return kStatusProcedureNotFound;
  return ntQuery_(infoClass, buffer, size, nullptr);
}

NtStatus Win32LoadCounters::QueryProcessorCount(uint8_t& numberOfProcessors) {
  SystemBasicInformation info{};
  const NtStatus status = Query(kSystemBasicInformation, &info, sizeof(info));
  if (status == 0) numberOfProcessors = static_cast<uint8_t>(info.numberOfProcessors);
  return status;
}

NtStatus Win32LoadCounters::QueryIdleTime(int64_t& idleTime100ns) {
  alignas(8) unsigned char buffer[kPerformanceBufferBytes] = {};
  const NtStatus status = Query(kSystemPerformanceInformation, buffer, sizeof(buffer));
  if (status == 0) std::memcpy(&idleTime100ns, buffer, sizeof(idleTime100ns));
  return status;
}

NtStatus Win32LoadCounters::QueryCurrentTime(int64_t& currentTime100ns) {
  alignas(8) unsigned char buffer[kTimeOfDayBytes] = {};
  const NtStatus status = Query(kSystemTimeOfDayInformation, buffer, sizeof(buffer));
  if (status == 0) std::memcpy(&currentTime100ns, buffer + 8, sizeof(currentTime100ns));
  return status;
}

std::optional<RegistryKeyHandle> Win32LoadCounters::OpenDynDataKey(std::string_view subKey,
                                                                   uint32_t access) {
  HKEY key = nullptr;
  const std::string path(subKey);
  if (RegOpenKeyExA(HKEY_DYN_DATA, path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return static_cast<RegistryKeyHandle>(reinterpret_cast<intptr_t>(key));
}

bool Win32LoadCounters::QueryDwordValue(RegistryKeyHandle key, std::string_view name,
                                        uint32_t& value) {
  const std::string valueName(name);
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  if (RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS) {
    return false;
  }
  value = data;
  return true;
}

void Win32LoadCounters::CloseKey(RegistryKeyHandle key) { RegCloseKey(ToHkey(key)); }

MemoryStatus Win32LoadCounters::GlobalMemoryStatus() {
  MEMORYSTATUSEX m{};
  m.dwLength = sizeof(m);
  MemoryStatus out;
  if (!GlobalMemoryStatusEx(&m)) return out;
  out.memoryLoad = m.dwMemoryLoad;
  out.totalPhys = static_cast<int64_t>(m.ullTotalPhys);
  out.availPhys = static_cast<int64_t>(m.ullAvailPhys);
  out.totalPageFile = static_cast<int64_t>(m.ullTotalPageFile);
  out.availPageFile = static_cast<int64_t>(m.ullAvailPageFile);
  out.totalVirtual = static_cast<int64_t>(m.ullTotalVirtual);
  out.availVirtual = static_cast<int64_t>(m.ullAvailVirtual);
  return out;
}

bool Win32LoadCounters::HasDiskFreeSpaceEx() {
  return LookUp<GetDiskFreeSpaceExAFn>("kernel32.dll", "GetDiskFreeSpaceExA") != nullptr;
}

std::optional<DiskSpaceBytes> Win32LoadCounters::DiskFreeSpaceEx(std::string_view rootPath) {
  auto fn = LookUp<GetDiskFreeSpaceExAFn>("kernel32.dll", "GetDiskFreeSpaceExA");
  if (fn == nullptr) return std::nullopt;
  const std::string path = Utf8ToAnsi(rootPath);
  ULARGE_INTEGER freeToCaller{}, total{}, totalFree{};
  QuietCriticalErrors quiet;
  if (!fn(path.c_str(), &freeToCaller, &total, &totalFree)) return std::nullopt;
  return DiskSpaceBytes{freeToCaller.QuadPart, total.QuadPart, totalFree.QuadPart};
}

std::optional<DiskClusters> Win32LoadCounters::DiskFreeSpace(std::string_view rootPath) {
  const std::string path = Utf8ToAnsi(rootPath);
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  QuietCriticalErrors quiet;
  if (!GetDiskFreeSpaceA(path.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                         &totalClusters)) {
    return std::nullopt;
  }
  return DiskClusters{sectorsPerCluster, bytesPerSector, freeClusters, totalClusters};
}

std::string Win32LoadCounters::WindowsDirectory() {
  char buffer[255] = {};
  const UINT n = GetWindowsDirectoryA(buffer, sizeof(buffer));
  // A result past the buffer is the size it would need: nothing was written.
  if (n == 0 || n >= sizeof(buffer)) return {};
  return AnsiToUtf8(std::string_view(buffer, n));
}

void Win32LoadCounters::ShowMessage(std::string_view text) {
  StyledMessageBox(nullptr, Utf8ToWide(text).c_str(), nullptr, MB_OK);
}

}  // namespace tarvex
