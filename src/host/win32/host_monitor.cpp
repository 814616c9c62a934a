// SystemMonitorState (see host_monitor.h).
#include "host_monitor.h"

#include "monitor/main_window_monitor.h"
#include "monitor_window.h"

namespace tarvex {

MonitorWindow* CreateStateMonitor(HINSTANCE instance, HWND parent, int id, HostedControls& owner) {
  auto monitor = std::make_unique<MonitorWindow>();
  monitor->SetAmbientFont(MainWindowFormFont());
  const RECT bounds{0, 0, kMainWindowMonitorWidthPx, kMainWindowMonitorHeightPx};
  if (!monitor->Create(instance, parent, id, bounds, MainWindowMonitorBag(), WS_CHILD)) return nullptr;
  MonitorWindow* made = monitor.get();
  owner.push_back(std::move(monitor));
  return made;
}

}  // namespace tarvex
