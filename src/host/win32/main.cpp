// Entry point of tarvex.exe: builds the program from its parts (platform
// services, settings, engine, history, tray, presenter, window) and runs the
// message loop of the one user-interface thread. The start of the program is
// the creation of the main window: initialise (single instance), load, show.
#include <windows.h>

#include "app/form_main.h"
#include "app/module_auto_run.h"
#include "app/module_config.h"
#include "app/module_main_tray.h"
#include "app/settings_handler.h"
#include "app/speed_up_core.h"
#include "app/speed_up_engine.h"
#include "app/speed_up_history.h"
#include "main_window.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/single_instance_win32.h"
#include "platform/win32/window_win32.h"
#include "spine_platform.h"

namespace {

// The program-wide tray module: the procedure SetWindowLongPtr puts in front
// of the main window's own can only reach it through a global.
tarvex::ModuleMainTray* g_tray = nullptr;

LRESULT CALLBACK ProgramWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!g_tray) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return static_cast<LRESULT>(g_tray->MainWindowProc(tarvex::FromHwnd(hwnd), msg, wParam, lParam));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace tarvex;
  Win32SingleInstance instanceGuard;
  Win32WindowPlatform windows(ProgramWindowProc);
  Win32Shell shell;
  SpinePlatform platform;

  MainWindow window(instance);
  ModuleConfig config(platform.profile, platform.files, platform.codePage);
  ModuleAutoRun autoRun(platform.autoStart, platform.files, platform.codePage);
  SpeedUpHistory history(window, window, {platform.clock, platform.dialogs, platform.files, platform.codePage});
  SpeedUpEngine engine(platform.process, platform.codePage, window, window, history);
  SettingsHandler settings(config, autoRun, window, window, platform.dialogs, engine);
  SpeedUpCore core(settings, engine, history);
  ModuleMainTray tray(windows, shell);
  g_tray = &tray;
  FormMain form(window, core, tray, windows, shell, instanceGuard);

  // Initialise: a second copy says so and ends before any window or setting.
  if (!form.Initialize()) return 0;
  if (!MainWindow::RegisterClass(instance) || !window.Create()) return 1;
  platform.SetOwner(window.Handle());
  window.Attach(&form, &settings, &windows);
  window.StartTimerMain();  // enabled from creation; its first tick comes after load
  if (form.Load(FromHwnd(window.Handle()))) {
    windows.Show(FromHwnd(window.Handle()));
    UpdateWindow(window.Handle());
  }
  // The tray icon and what no one sees yet; ahead of any input in the queue,
  // so no one reaches the settings page first.
  PostMessageW(window.Handle(), MainWindow::kCreateDeferredMessage, 0, 0);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab, Shift+Tab and the arrow keys move between the page controls.
    if (window.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  g_tray = nullptr;
  return static_cast<int>(msg.wParam);
}
