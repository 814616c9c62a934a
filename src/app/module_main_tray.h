// The notification-area part of ModuleMain: the program-wide icon record, the
// program's window procedure that sits in front of the main window's own (tray
// callbacks, minimise requests, "TaskbarCreated", end of session) and the
// exchange of that procedure. Portable: it reaches Windows only through
// WindowPlatform and Shell.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/shell.h"
#include "platform/window.h"

namespace tarvex {

inline constexpr uint32_t kTrayCallbackMessage = 2025;  // 0x7E9
inline constexpr uint32_t kTrayIconFlags = 7;           // NIF_MESSAGE | NIF_ICON | NIF_TIP
inline constexpr char kTrayTip[] = "Tarvex";

class ModuleMainTray {
 public:
  ModuleMainTray(WindowPlatform& windows, Shell& shell);

  void SetMainWindow(WindowHandle window) { mainWindow_ = window; }
  WindowHandle MainWindow() const { return mainWindow_; }
  // Shows the pop-up menu `mm`; the main window supplies it.
  void SetPopupMenu(std::function<void()> showMenu) { showMenu_ = std::move(showMenu); }

  // Fills the icon record (the first time) and adds the icon; the result is
  // not looked at: a shell without a taskbar gets the icon on "TaskbarCreated".
  void AddTrayIcon();
  // Removes the icon with the same record; failures are ignored.
  void RemoveTrayIcon();

  // Puts the program's procedure in front of the main window's at start-up;
  // removed again at exit, before the window is destroyed.
  void InstallWindowProc();
  void RemoveWindowProc();
  // Last of the start-up: listens for "TaskbarCreated" to add the icon again.
  void RegisterTaskbarCreated();

  // The program's window procedure; the five tests in their order.
  int64_t MainWindowProc(WindowHandle window, uint32_t message, uint64_t wParam, int64_t lParam);

  bool QuitWithoutAsking() const { return quitWithoutAsking_; }
  void SetQuitWithoutAsking(bool on) { quitWithoutAsking_ = on; }

  const NotifyIconRecord& IconRecord() const { return iconRecord_; }
  WindowProcAddress PreviousWindowProc() const { return previousWindowProc_; }
  uint32_t TaskbarCreatedMessage() const { return taskbarCreatedMessage_; }

 private:
  int64_t PassOn(WindowHandle window, uint32_t message, uint64_t wParam, int64_t lParam);

  WindowPlatform& windows_;
  Shell& shell_;
  WindowHandle mainWindow_ = 0;
  std::function<void()> showMenu_;

  // Program-wide values: the record is filled once and used unchanged after.
  NotifyIconRecord iconRecord_;
  bool iconRecordFilled_ = false;
  WindowProcAddress previousWindowProc_ = 0;  // 0 until installed and after removal
  uint32_t taskbarCreatedMessage_ = 0;        // 0 never matches a message test
  bool quitWithoutAsking_ = false;
};

}  // namespace tarvex
