// Private-profile reads and writes through kernel32.
#include "platform/win32/profile_win32.h"

#include <windows.h>

#include <vector>

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

}  // namespace

std::optional<std::string> Win32ProfileStore::ReadString(const std::string& path, std::string_view section,
                                                         std::string_view key) {
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
  return WritePrivateProfileStringW(AnsiToWide(section).c_str(), AnsiToWide(key).c_str(), AnsiToWide(value).c_str(),
                                    Utf8ToWide(path).c_str()) != FALSE;
}

}  // namespace tarvex
