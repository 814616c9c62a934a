// The monitor control's window: a ControlWindow that serves SystemMonitor as
// its site and frame (border styles, enabled state), routes its timer, size
// and double click to it, and shows its persistent image on paint.
#pragma once

#include <windows.h>

#include <memory>

#include "control_window.h"
#include "monitor/system_monitor.h"
#include "platform/win32/locale_win32.h"

namespace tarvex {

class ModuleLoadSampler;

// The one sampler of the program: every monitor shares its counter state.
ModuleLoadSampler& ProgramLoadSampler();

class MonitorWindow final : public ControlWindow, public MonitorFrame {
 public:
  explicit MonitorWindow(ModuleLoadSampler& sampler = ProgramLoadSampler());
  ~MonitorWindow() override;

  // Creates the window at `bounds` (parent client pixels, border included)
  // and reads the stored properties, which starts the control.
  HWND Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds, const PropertyBag& bag,
              DWORD style = WS_CHILD | WS_VISIBLE);

  SystemMonitor& Monitor() { return monitor_; }

  // --- MonitorFrame ---
  void ApplyFrame(int16_t appearance, int16_t borderStyle) override;
  void ApplyEnabled(bool enabled) override;
  Size OuterSize() const override;
  int64_t DeviceContext() const override;

 protected:
  void OnDblClick() override { monitor_.OnDblClick(); }
  void OnSize(int, int) override { monitor_.OnResize(); }
  void OnTimer(int id) override { monitor_.OnTimer(id); }
  void OnBeforePaint() override { monitor_.BeforePaint(); }
  // The control ends with its window (whoever destroys it first).
  bool OnRawMessage(UINT msg, WPARAM, LPARAM, LRESULT*) override {
    if (msg == WM_DESTROY) monitor_.Terminate();
    return false;
  }

 private:
  Win32NumberLocale locale_;
  SystemMonitor monitor_;
};

// SystemMonitorState at `origin` (parent client pixels), 441 x 89, borderless,
// sampling every 500 ms; hidden until the host shows its page.
std::unique_ptr<MonitorWindow> CreateStateMonitorWindow(HINSTANCE instance, HWND parent, int id,
                                                        POINT origin);

}  // namespace tarvex
