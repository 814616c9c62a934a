// Entry point of the Linux program: builds it from its parts (Linux services,
// settings, engine, history, tray, presenter, window) and runs Qt's event loop
// on the one user-interface thread. As on Windows: initialise (single
// instance), load, show.
#include <QApplication>
#include <QIcon>

#include "app/form_main.h"
#include "app/module_auto_run.h"
#include "app/module_config.h"
#include "app/module_main_tray.h"
#include "app/settings_handler.h"
#include "app/speed_up_core.h"
#include "app/speed_up_engine.h"
#include "app/speed_up_history.h"
#include "linux_platform.h"
#include "main_window.h"
#include "message_hooks.h"
#include "monitor/load_sampler.h"
#include "qt_text_engine.h"
#include "resource_pictures.h"

int main(int argc, char* argv[]) {
  using namespace tarvex;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tarvex"));
  QApplication::setWindowIcon(ResourceIcon(QStringLiteral(":/tarvex.ico")));
  // Message boxes must not end the program while the window is in the tray.
  QApplication::setQuitOnLastWindowClosed(false);
  InstallFontSubstitutions();

  LinuxSingleInstance instanceGuard;
  LinuxPlatform platform;
  MessageHooks hooks;
  ModuleLoadSampler sampler(platform.counters);

  // The tray module's procedure sits in front of the window's own, as on Windows.
  ModuleMainTray* trayModule = nullptr;
  QtWindowPlatform* windowsRef = nullptr;
  // The icon's callback message goes to the window like any other.
  QtShell shell([&](uint32_t message, int64_t mouse) {
    if (windowsRef) windowsRef->Deliver(message, 0, mouse);
  });
  QtWindowPlatform windows(
      [&](uint32_t message, uint64_t wParam, int64_t lParam) -> int64_t {
        return trayModule ? trayModule->MainWindowProc(trayModule->MainWindow(), message, wParam, lParam) : 0;
      },
      [&] { return shell.IconShown(); });
  windowsRef = &windows;

  ModuleMainTray tray(windows, shell);
  trayModule = &tray;
  MainWindow window(hooks, sampler);  // built, not shown
  windows.SetMainWindow(&window, [&window](uint32_t m, uint64_t w, int64_t l) { return window.OwnProcedure(m, w, l); });
  platform.dialogs.SetOwner(&window);

  ModuleConfig config(platform.profile, platform.files, platform.codePage);
  ModuleAutoRun autoRun(platform.autoStart, platform.files, platform.codePage);
  SpeedUpHistory history(window, window, {platform.clock, platform.dialogs, platform.files, platform.codePage});
  SpeedUpEngine engine(platform.process, platform.codePage, window, window, history);
  SettingsHandler settings(config, autoRun, window, window, platform.dialogs, engine);
  SpeedUpCore core(settings, engine, history);
  FormMain form(window, core, tray, windows, shell, instanceGuard);

  // Initialise: a second copy says so and ends before any window shows or a
  // setting is read.
  if (!form.Initialize()) return 0;
  // The session is ending: the window then closes without asking.
  QObject::connect(&app, &QGuiApplication::commitDataRequest,
                   [&windows] { windows.Deliver(wm::kQueryEndSession, 0, 0); });
  window.Attach(&form, &settings, &windows);
  window.StartTimerMain();  // running from creation; its first tick comes after load
  const bool show = form.Load(window.Handle());
  // The status and history pages and the tray icon follow the first paint,
  // which they would otherwise delay; a window starting hidden needs them now.
  auto rest = [&window, &form] {
    window.CreateLaterPages();
    form.Shown();
  };
  if (show) {
    window.AfterFirstPaint(rest);
    windows.Show(window.Handle());
  } else {
    rest();
  }
  const int rc = QApplication::exec();
  trayModule = nullptr;
  return rc;
}
