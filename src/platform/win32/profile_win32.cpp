// Private-profile reads and writes through kernel32.
#include "platform/win32/profile_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace tarvex {
namespace {

std::wstring AnsiToWide(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  return wide;
}

std::string WideToAnsi(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string ansi(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), n, nullptr, nullptr);
  return ansi;
}

// A value longer than this is cut here (the program's callers keep 254 bytes).
constexpr DWORD kLargestValueChars = 1u << 20;

// What kernel32's W call would hand back as ANSI: the same bytes exactly when
// they are text in the ANSI code page.
bool IsAnsiText(std::string_view bytes) {
  return bytes.empty() || MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(),
                                              static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

// The file's bytes; nullopt for a file that is not there (no value to read),
// or an error with `readable` false when it is there but cannot be read.
std::optional<std::string> FileBytes(const std::wstring& path, bool& readable) {
  readable = true;
  const UniqueHandle file = FileHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    readable = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return std::nullopt;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargestValueChars) {
    readable = false;
    return std::nullopt;
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                         got != bytes.size())) {
    readable = false;
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

const Win32ProfileStore::Snapshot& Win32ProfileStore::SnapshotOf(const std::string& path) {
  auto found = snapshots_.find(path);
  if (found != snapshots_.end()) return found->second;
  Snapshot snapshot;
  // kernel32 looks for a bare file name in the Windows folder: it answers those.
  bool readable = false;
  std::optional<std::string> bytes;
  if (path.find_first_of("\\/") != std::string::npos) bytes = FileBytes(Utf8ToWide(path), readable);
  // A byte-order mark makes kernel32 read the file as Unicode: it answers those.
  const auto starts = [&](std::string_view mark) { return bytes && bytes->starts_with(mark); };
  if (readable && !starts("\xFF\xFE") && !starts("\xFE\xFF") && !starts("\xEF\xBB\xBF")) {
    snapshot.text = IniText(bytes.value_or(std::string()));
  }
  return snapshots_.emplace(path, std::move(snapshot)).first->second;
}

bool Win32ProfileStore::ReleaseWrites() {
  if (holds_ > 0 && --holds_ == 0) snapshots_.clear();
  return true;
}

std::optional<std::string> Win32ProfileStore::ReadString(const std::string& path, std::string_view section,
                                                         std::string_view key) {
  if (holds_ > 0) {
    const Snapshot& snapshot = SnapshotOf(path);
    if (snapshot.text) {
      std::optional<std::string> value = snapshot.text->Get(section, key);
      if (!value || IsAnsiText(*value)) return value;
    }
  }
  const std::wstring file = Utf8ToWide(path);
  const std::wstring sectionW = AnsiToWide(section);
  const std::wstring keyW = AnsiToWide(key);
  // The call reports size - 1 when the value did not fit: grow until it does.
  for (DWORD size = 512;; size *= 4) {
    std::vector<wchar_t> buffer(size);
    const DWORD got =
        GetPrivateProfileStringW(sectionW.c_str(), keyW.c_str(), L"", buffer.data(), size, file.c_str());
    if (got == 0) return std::nullopt;
    if (got < size - 1 || size >= kLargestValueChars) return WideToAnsi(std::wstring_view(buffer.data(), got));
  }
}

bool Win32ProfileStore::WriteString(const std::string& path, std::string_view section, std::string_view key,
                                    std::string_view value) {
  snapshots_.erase(path);  // read again after the write
  return WritePrivateProfileStringW(AnsiToWide(section).c_str(), AnsiToWide(key).c_str(), AnsiToWide(value).c_str(),
                                    Utf8ToWide(path).c_str()) != FALSE;
}

}  // namespace tarvex
