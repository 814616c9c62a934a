// WindowPlatform over user32: the main window's show/hide, messages, topmost
// band, caption drag, pop-up menu and the window-procedure exchange.
#pragma once

#include <windows.h>

#include "platform/window.h"

namespace tarvex {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<intptr_t>(window)); }
inline WindowHandle FromHwnd(HWND window) { return static_cast<WindowHandle>(reinterpret_cast<intptr_t>(window)); }

class Win32WindowPlatform final : public WindowPlatform {
 public:
  // `programProc` is the procedure InstallProgramWindowProc puts in front.
  explicit Win32WindowPlatform(WNDPROC programProc) : programProc_(programProc) {}

  bool IsVisible(WindowHandle window) const override;
  void Show(WindowHandle window) override;
  void Hide(WindowHandle window) override;
  int64_t Send(WindowHandle window, uint32_t message, uint64_t wParam, int64_t lParam) override;
  bool SetForeground(WindowHandle window) override;
  bool SetTopmost(WindowHandle window, bool on) override;
  void ReleaseMouseCapture() override;
  uint32_t RegisterMessage(std::string_view name) override;
  int64_t WindowIcon(WindowHandle window) const override;
  WindowProcAddress InstallProgramWindowProc(WindowHandle window) override;
  void SetWindowProc(WindowHandle window, WindowProcAddress procedure) override;
  int64_t CallProcedure(WindowProcAddress procedure, WindowHandle window, uint32_t message,
                         uint64_t wParam, int64_t lParam) override;
  std::optional<int> TrackPopupMenu(WindowHandle owner, const std::vector<MenuEntry>& entries) override;

 private:
  WNDPROC programProc_;
  std::optional<bool> pendingTopmost_;  // asked for while hidden
  bool pendingTopmostSet_ = false;      // and that request succeeded
  WindowHandle pendingTopmostWindow_ = 0;
};

}  // namespace tarvex
