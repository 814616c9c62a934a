// The ANSI code page through kernel32.
#include "platform/win32/code_page_win32.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace tarvex {

std::string Win32CodePage::Utf8ToAnsi(std::string_view utf8) const { return tarvex::Utf8ToAnsi(utf8); }

std::string Win32CodePage::AnsiToUtf8(std::string_view ansi) const {
  if (ansi.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  return WideToUtf8(wide);
}

bool Win32CodePage::IsLeadByte(uint8_t byte) const { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace tarvex
