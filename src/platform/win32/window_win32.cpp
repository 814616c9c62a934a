// WindowPlatform over user32 (see window_win32.h). The window is a Unicode
// window, so the procedure exchange uses the W calls on every architecture.
#include "platform/win32/window_win32.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace tarvex {

bool Win32WindowPlatform::IsVisible(WindowHandle window) const {
  return IsWindowVisible(ToHwnd(window)) != FALSE;
}

void Win32WindowPlatform::Show(WindowHandle window) {
  ShowWindow(ToHwnd(window), SW_SHOW);
  if (pendingTopmost_ && pendingTopmostWindow_ == window) {
    SetTopmost(window, *pendingTopmost_);
    pendingTopmost_.reset();
  }
}

void Win32WindowPlatform::Hide(WindowHandle window) { ShowWindow(ToHwnd(window), SW_HIDE); }

int64_t Win32WindowPlatform::Send(WindowHandle window, uint32_t message, uint64_t wParam,
                                  int64_t lParam) {
  return SendMessageW(ToHwnd(window), message, static_cast<WPARAM>(wParam),
                      static_cast<LPARAM>(lParam));
}

bool Win32WindowPlatform::SetForeground(WindowHandle window) {
  return SetForegroundWindow(ToHwnd(window)) != FALSE;
}

bool Win32WindowPlatform::SetTopmost(WindowHandle window, bool on) {
  const HWND hwnd = ToHwnd(window);
  UINT flags = SWP_NOSIZE | SWP_NOMOVE;
  if (!IsWindowVisible(hwnd)) {
    // A window not shown yet must not take the foreground from the user's
    // window (the start-up tick would then raise the program itself). Wine
    // also ignores z-order changes of such a window (Windows does not): the
    // band is put right again when the window is shown.
    flags |= SWP_NOACTIVATE;
    // Asked again before the window shows (start-up asks once for the check
    // box and once on its own): that request is already in place.
    if (pendingTopmost_ == on && pendingTopmostWindow_ == window && pendingTopmostSet_) return true;
    pendingTopmost_ = on;
    pendingTopmostWindow_ = window;
    pendingTopmostSet_ = SetWindowPos(hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags) != FALSE;
    return pendingTopmostSet_;
  }
  // Otherwise no other flag: the platform may activate the window, as it always did.
  return SetWindowPos(hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags) != FALSE;
}

void Win32WindowPlatform::ReleaseMouseCapture() { ReleaseCapture(); }

uint32_t Win32WindowPlatform::RegisterMessage(std::string_view name) {
  return RegisterWindowMessageW(Utf8ToWide(name).c_str());
}

int64_t Win32WindowPlatform::WindowIcon(WindowHandle window) const {
  return static_cast<int64_t>(GetClassLongPtrW(ToHwnd(window), GCLP_HICON));
}

WindowProcAddress Win32WindowPlatform::InstallProgramWindowProc(WindowHandle window) {
  SetLastError(0);
  const LONG_PTR previous = SetWindowLongPtrW(ToHwnd(window), GWLP_WNDPROC,
                                              reinterpret_cast<LONG_PTR>(programProc_));
  if (previous == 0 && GetLastError() != 0) return 0;
  return static_cast<WindowProcAddress>(previous);
}

void Win32WindowPlatform::SetWindowProc(WindowHandle window, WindowProcAddress procedure) {
  SetWindowLongPtrW(ToHwnd(window), GWLP_WNDPROC, static_cast<LONG_PTR>(procedure));
}

int64_t Win32WindowPlatform::CallProcedure(WindowProcAddress procedure, WindowHandle window,
                                            uint32_t message, uint64_t wParam, int64_t lParam) {
  const HWND hwnd = ToHwnd(window);
  if (procedure == 0) return DefWindowProcW(hwnd, message, wParam, lParam);
  return CallWindowProcW(reinterpret_cast<WNDPROC>(procedure), hwnd, message,
                         static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

std::optional<int> Win32WindowPlatform::TrackPopupMenu(WindowHandle owner,
                                                       const std::vector<MenuEntry>& entries) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return std::nullopt;
  for (const auto& entry : entries) {
    if (entry.caption.empty()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(entry.command),
                  Utf8ToWide(entry.caption).c_str());
    }
  }
  POINT at{};
  GetCursorPos(&at);
  const int chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD, at.x, at.y, 0,
                                      ToHwnd(owner), nullptr);
  DestroyMenu(menu);
  // Without a message after the menu, a second right-click on the icon would
  // open it only every other time.
  PostMessageW(ToHwnd(owner), WM_NULL, 0, 0);
  if (chosen == 0) return std::nullopt;
  return chosen;
}

}  // namespace tarvex
