// Version and visual-style queries.
#include "platform/win32/theme_info_win32.h"

#include <windows.h>
#include <uxtheme.h>

#include "platform/win32/wide_text.h"

namespace tarvex {

std::optional<OsVersion> Win32ThemeInfo::Version() const {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;  // 148
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  if (GetVersionExA(&info) != 1) return std::nullopt;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  return OsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                   info.dwBuildNumber};
}

ThemeNameResult Win32ThemeInfo::CurrentThemeName() const {
  wchar_t file[255] = {};
  wchar_t color[255] = {};
  ThemeNameResult result;
  result.hresult = static_cast<int32_t>(GetCurrentThemeName(file, 255, color, 255, nullptr, 0));
  if (result.hresult == 0) result.colorName = WideToUtf8(std::wstring_view(color, 255));
  return result;
}

}  // namespace tarvex
