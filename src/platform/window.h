// Window-management calls the main window and its tray procedure make: showing
// and hiding, messages, the foreground, the topmost band, the caption drag, the
// window-procedure exchange and the pop-up menu. Windows are opaque integers (an
// HWND's value); no OS header here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_handle.h"

namespace tarvex {

using WindowProcAddress = int64_t;  // WNDPROC as an integer; 0 = none

// The Windows message and command numbers the main window works with.
namespace wm {
inline constexpr uint32_t kQueryEndSession = 0x11;
inline constexpr uint32_t kEndSession = 0x16;
inline constexpr uint32_t kNcLButtonDown = 0xA1;
inline constexpr uint32_t kCommand = 0x111;
inline constexpr uint32_t kSysCommand = 0x112;
inline constexpr uint32_t kLButtonDblClk = 0x203;
inline constexpr uint32_t kRButtonDown = 0x204;
inline constexpr uint64_t kScMinimize = 0xF020;
inline constexpr uint64_t kScRestore = 0xF120;
inline constexpr uint64_t kHtCaption = 2;
}  // namespace wm

// One entry of a pop-up menu; an empty caption is a separator.
struct MenuEntry {
  int command = 0;
  std::string caption;  // UTF-8
};

class WindowPlatform {
 public:
  virtual ~WindowPlatform() = default;

  virtual bool IsVisible(WindowHandle window) const = 0;
  virtual void Show(WindowHandle window) = 0;
  // Leaves the screen and the taskbar.
  virtual void Hide(WindowHandle window) = 0;
  virtual int64_t Send(WindowHandle window, uint32_t message, uint64_t wParam, int64_t lParam) = 0;
  virtual bool SetForeground(WindowHandle window) = 0;
  // SetWindowPos(HWND_TOPMOST / HWND_NOTOPMOST, SWP_NOSIZE | SWP_NOMOVE).
  virtual bool SetTopmost(WindowHandle window, bool on) = 0;
  virtual void ReleaseMouseCapture() = 0;
  // RegisterWindowMessage; 0 on failure.
  virtual uint32_t RegisterMessage(std::string_view name) = 0;
  // The large icon of the window's class (the tray shows it).
  virtual int64_t WindowIcon(WindowHandle window) const = 0;

  // Puts the program's own procedure in front of the window's and returns the
  // one it replaced (0 on failure). The program's procedure is whatever the
  // host routes to ModuleMainTray::MainWindowProc.
  virtual WindowProcAddress InstallProgramWindowProc(WindowHandle window) = 0;
  // Puts `procedure` back as the window's procedure.
  virtual void SetWindowProc(WindowHandle window, WindowProcAddress procedure) = 0;
  // CallWindowProc; a procedure of 0 gives the default window procedure.
  virtual int64_t CallProcedure(WindowProcAddress procedure, WindowHandle window,
                                 uint32_t message, uint64_t wParam, int64_t lParam) = 0;

  // Shows a pop-up menu at the mouse position with the default alignment and
  // waits for it; the chosen command, or nullopt when dismissed.
  virtual std::optional<int> TrackPopupMenu(WindowHandle owner,
                                            const std::vector<MenuEntry>& entries) = 0;
};

}  // namespace tarvex
