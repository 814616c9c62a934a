// The monitor control's window (see monitor_window.h).
#include "monitor_window.h"

#include "monitor/load_sampler.h"
#include "monitor/main_window_monitor.h"
#include "platform/win32/load_counters_win32.h"

namespace tarvex {

ModuleLoadSampler& ProgramLoadSampler() {
  // Program-wide by design: the processor counters are shared by all monitors.
  static Win32LoadCounters counters;
  static ModuleLoadSampler sampler(counters);
  return sampler;
}

MonitorWindow::MonitorWindow(ModuleLoadSampler& sampler)
    : monitor_(*this, sampler, locale_, this) {}

MonitorWindow::~MonitorWindow() {
  // Stop the timer while the window still exists; the base then destroys it.
  monitor_.Terminate();
}

HWND MonitorWindow::Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                           const PropertyBag& bag, DWORD style) {
  HWND hwnd = ControlWindow::Create(instance, parent, id, bounds, style);
  if (hwnd != nullptr) monitor_.ReadProperties(bag);
  return hwnd;
}

void MonitorWindow::ApplyFrame(int16_t appearance, int16_t borderStyle) {
  HWND hwnd = Handle();
  if (hwnd == nullptr) return;
  // A 3-D single border is the sunken client edge (2 px), a flat one a
  // one-pixel line; none leaves the whole window to the diagram.
  LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
  LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
  if (borderStyle == kBorderFixedSingle) {
    if (appearance == kAppearance3D) {
      exStyle |= WS_EX_CLIENTEDGE;
    } else {
      style |= WS_BORDER;
    }
  }
  SetWindowLongPtrW(hwnd, GWL_STYLE, style);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, exStyle);
  // The client area changes: WM_SIZE resizes the image and redraws.
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void MonitorWindow::ApplyEnabled(bool enabled) {
  if (Handle() != nullptr) EnableWindow(Handle(), enabled ? TRUE : FALSE);
}

Size MonitorWindow::OuterSize() const {
  RECT r{};
  if (Handle() == nullptr || !GetWindowRect(Handle(), &r)) return ClientSize();
  return {r.right - r.left, r.bottom - r.top};
}

int64_t MonitorWindow::DeviceContext() const {
  // Canvas() is non-const only because it hands out the drawing surface.
  HDC dc = const_cast<MonitorWindow*>(this)->Canvas().Dc();
  return static_cast<int64_t>(reinterpret_cast<intptr_t>(dc));
}

std::unique_ptr<MonitorWindow> CreateStateMonitorWindow(HINSTANCE instance, HWND parent, int id,
                                                        POINT origin) {
  auto window = std::make_unique<MonitorWindow>();
  const RECT bounds{origin.x, origin.y, origin.x + kMainWindowMonitorWidthPx,
                    origin.y + kMainWindowMonitorHeightPx};
  if (window->Create(instance, parent, id, bounds, MainWindowMonitorBag(), WS_CHILD) == nullptr) {
    return nullptr;
  }
  return window;
}

}  // namespace tarvex
