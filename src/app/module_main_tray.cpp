// The tray icon and the program's window procedure (see module_main_tray.h).
#include "app/module_main_tray.h"

#include <utility>

namespace tarvex {

ModuleMainTray::ModuleMainTray(WindowPlatform& windows, Shell& shell)
    : windows_(windows), shell_(shell) {}

void ModuleMainTray::AddTrayIcon() {
  if (!iconRecordFilled_) {
    iconRecord_.window = mainWindow_;
    iconRecord_.id = 0;
    iconRecord_.flags = kTrayIconFlags;
    iconRecord_.callbackMessage = kTrayCallbackMessage;
    iconRecord_.icon = windows_.WindowIcon(mainWindow_);
    iconRecord_.tip = kTrayTip;
    iconRecordFilled_ = true;
  }
  (void)shell_.NotifyIcon(NotifyIconAction::Add, iconRecord_);
}

void ModuleMainTray::RemoveTrayIcon() {
  if (!iconRecordFilled_) return;  // never added: nothing the shell could know
  (void)shell_.NotifyIcon(NotifyIconAction::Delete, iconRecord_);
}

void ModuleMainTray::InstallWindowProc() {
  if (previousWindowProc_ != 0) return;  // already in front; a second hook would loop
  previousWindowProc_ = windows_.InstallProgramWindowProc(mainWindow_);
}

void ModuleMainTray::RemoveWindowProc() {
  if (previousWindowProc_ == 0) return;
  windows_.SetWindowProc(mainWindow_, previousWindowProc_);
  previousWindowProc_ = 0;
}

void ModuleMainTray::RegisterTaskbarCreated() {
  taskbarCreatedMessage_ = windows_.RegisterMessage("TaskbarCreated");
}

int64_t ModuleMainTray::PassOn(WindowHandle window, uint32_t message, uint64_t wParam,
                               int64_t lParam) {
  return windows_.CallProcedure(previousWindowProc_, window, message, wParam, lParam);
}

int64_t ModuleMainTray::MainWindowProc(WindowHandle window, uint32_t message, uint64_t wParam,
                                       int64_t lParam) {
  // 1. Minimise request (our own WM_COMMAND or the system's WM_SYSCOMMAND):
  // the previous procedure sees it first, then the window goes to the tray.
  if ((message == wm::kCommand || message == wm::kSysCommand) && wParam == wm::kScMinimize) {
    const int64_t result = PassOn(window, message, wParam, lParam);
    windows_.Hide(mainWindow_);
    return result;
  }
  // 2. Double-click on the icon: bring a hidden window back, restored.
  if (message == kTrayCallbackMessage && lParam == wm::kLButtonDblClk) {
    if (!windows_.IsVisible(mainWindow_)) {
      windows_.Show(mainWindow_);
      (void)windows_.Send(mainWindow_, wm::kSysCommand, wm::kScRestore, 0);
    }
    return 0;
  }
  // 3. Right button on the icon: the menu, only while hidden. The window must be
  // in the foreground or the menu would not close when the user clicks away.
  if (message == kTrayCallbackMessage && lParam == wm::kRButtonDown) {
    if (!windows_.IsVisible(mainWindow_)) {
      (void)windows_.SetForeground(mainWindow_);
      if (showMenu_) showMenu_();
    }
    return 0;
  }
  // 4. The shell restarted and forgot the icon.
  if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
    AddTrayIcon();
    return 0;
  }
  // 5. Everything else goes on; the end of the logon closes without asking.
  if (message == wm::kQueryEndSession || message == wm::kEndSession) quitWithoutAsking_ = true;
  return PassOn(window, message, wParam, lParam);
}

}  // namespace tarvex
