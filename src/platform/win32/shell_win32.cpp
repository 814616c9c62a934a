// Shell over shell32 (see shell_win32.h).
#include "platform/win32/shell_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/system_function.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_win32.h"

namespace tarvex {

bool Win32Shell::NotifyIcon(NotifyIconAction action, const NotifyIconRecord& record) {
  // The first layout: cbSize is that of the build's architecture (88 bytes on
  // 32-bit Windows, more on x64), so the shell reads only the fields up to szTip.
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = ToHwnd(record.window);
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = reinterpret_cast<HICON>(static_cast<intptr_t>(record.icon));
  const std::string tip = Utf8ToAnsi(record.tip);
  // The first layout's tip field is 64 bytes including the NUL.
  std::memcpy(data.szTip, tip.data(), std::min<size_t>(tip.size(), 63));
  // shell32 on first use: the icon comes after the window shows, so the
  // library and the two it brings are no longer loaded ahead of the window.
  static const auto notify =
      SystemFunction<decltype(&Shell_NotifyIconA)>(L"shell32.dll", "Shell_NotifyIconA");
  return notify != nullptr && notify(static_cast<DWORD>(action), &data) != FALSE;
}

bool Win32Shell::OpenAddress(WindowHandle owner, std::string_view address) {
  static const auto execute = SystemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (execute == nullptr) return false;
  const HINSTANCE result =
      execute(ToHwnd(owner), L"open", Utf8ToWide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<intptr_t>(result) > 32;
}

}  // namespace tarvex
