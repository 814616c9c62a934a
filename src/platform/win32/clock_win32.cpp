// The locale's time of day through kernel32.
#include "platform/win32/clock_win32.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace tarvex {

std::string Win32Clock::TimeOfDayText() {
  wchar_t buffer[64];
  const int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, 64);
  return n > 1 ? WideToUtf8(std::wstring_view(buffer, static_cast<size_t>(n - 1))) : std::string();
}

}  // namespace tarvex
