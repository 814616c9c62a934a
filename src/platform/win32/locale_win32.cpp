// GetLocaleInfoW for the user's thousands and decimal separators.
#include "platform/win32/locale_win32.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace tarvex {
namespace {

// The locale's text for `type`, or `fallback` when it cannot be read.
std::string LocaleText(LCTYPE type, const char* fallback) {
  wchar_t buffer[8] = {};  // separators are at most 4 characters
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 8);
  if (n <= 0) return fallback;
  return WideToUtf8(std::wstring_view(buffer, static_cast<size_t>(n - 1)));
}

}  // namespace

NumberSeparators Win32NumberLocale::Separators() const {
  return {LocaleText(LOCALE_STHOUSAND, ","), LocaleText(LOCALE_SDECIMAL, ".")};
}

}  // namespace tarvex
