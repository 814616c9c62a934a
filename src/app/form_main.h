// FormMain, the main window as a presenter: the single-instance check, the
// start-up sequence, the exit confirmation, dragging, the two links, the hide
// and exit buttons and the tray menu `mm`. Portable: it reaches the window only
// through FormMainView, WindowPlatform and Shell, and the speed-up work through
// FormMainCore. The host routes the window's events to the handlers below.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/form_main_view.h"
#include "app/module_main_tray.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/window.h"

namespace tarvex {

inline constexpr uint32_t kTimerMainIntervalMs = 1000;
inline constexpr OleColor kLinkNormalColor = 0xFF0000;  // &HFF0000, pure blue
inline constexpr OleColor kLinkHotColor = 0x0000FF;     // &H0000FF, pure red

// Commands of the pop-up menu `mm`.
enum MainMenuCommand : int { kMenuMainScreen = 1, kMenuUpdate = 2, kMenuExit = 3 };

class FormMain {
 public:
  FormMain(FormMainView& view, FormMainCore& core, ModuleMainTray& tray, WindowPlatform& windows,
           Shell& shell, const SingleInstance& instance);

  // The page captions, one blank before and after the text.
  static const std::vector<std::string>& TabCaptions();
  static const std::vector<std::string>& SpeedEntries();
  static const std::vector<std::string>& AutoCleanCountEntries();
  static const std::vector<MenuEntry>& MenuEntries();

  // Initialise step: false when another copy runs (it has been told; the
  // program must end at once without showing a window or touching settings).
  bool Initialize();
  // Load step; `window` is the main window. Returns whether the host shows the
  // window now (false when auto-minimise hid it).
  bool Load(WindowHandle window);
  // After Load, once the host has shown and painted the window (or left it
  // hidden): adds the tray icon unless auto-minimise already did. The shell
  // may take tens of milliseconds over it, which the window need not wait for.
  void Shown();
  // Close request: whether the window may close. After true the raised
  // process has its class back, the icon is gone and the program's window
  // procedure removed.
  bool QueryUnload();

  void TimerMain_Timer();

  // Mouse on the window background and on SSTabMain.
  void BackgroundMouseDown();
  void BackgroundMouseMove();
  void SSTabMain_MouseDown();
  void SSTabMain_MouseMove();
  void LinkMouseMove(LinkLabel link);
  void LinkClick(LinkLabel link);

  void CommandMini_Click();
  void CommandExit_Click();
  void CommandSaveRecords_Click();
  void CommandClearRecords_Click();

  // Shows `mm` and runs the chosen entry's handler.
  void ShowPopupMenu();
  void MainScreen_Click();
  void Update_Click();
  void Exit_Click();

  WindowHandle Window() const { return window_; }

 private:
  void DragWindow();
  void SetLinksNormal();
  void AddTrayIconOnce();

  FormMainView& view_;
  FormMainCore& core_;
  ModuleMainTray& tray_;
  WindowPlatform& windows_;
  Shell& shell_;
  const SingleInstance& instance_;
  WindowHandle window_ = 0;
  bool iconAdded_ = false;  // by the start-up; "TaskbarCreated" adds it again on its own
  bool unloaded_ = false;
};

}  // namespace tarvex
