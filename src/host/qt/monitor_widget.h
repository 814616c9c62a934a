// The load diagram as a widget: a ControlWidget that serves SystemMonitor as
// its site and frame (border styles, enabled state) and routes its timer, size
// and double click to it.
#pragma once

#include "control_widget.h"
#include "monitor/load_sampler.h"
#include "monitor/system_monitor.h"
#include "platform/locale.h"

namespace tarvex {

// Separators of the user's locale, as Qt reads them.
class QtNumberLocale final : public NumberLocale {
 public:
  NumberSeparators Separators() const override;
};

class MonitorWidget final : public ControlWidget, public MonitorFrame {
 public:
  MonitorWidget(QWidget* parent, MessageHooks& hooks, ModuleLoadSampler& sampler);
  ~MonitorWidget() override;

  // Reads the stored properties, which starts the control.
  void Load(const PropertyBag& bag) { monitor_.ReadProperties(bag); }
  SystemMonitor& Monitor() { return monitor_; }

  // --- MonitorFrame ---
  void ApplyFrame(int16_t appearance, int16_t borderStyle) override;
  void ApplyEnabled(bool enabled) override { setEnabled(enabled); }
  Size OuterSize() const override { return {width(), height()}; }
  int64_t DeviceContext() const override { return 0; }

 protected:
  void OnDblClick() override { monitor_.OnDblClick(); }
  void OnSize(int, int) override { monitor_.OnResize(); }
  void OnTimer(int id) override { monitor_.OnTimer(id); }
  void OnPaint() override { monitor_.BeforePaint(); }
  void paintEvent(QPaintEvent* event) override;

 private:
  QtNumberLocale locale_;
  int16_t appearance_ = 0;
  int16_t borderStyle_ = 0;
  SystemMonitor monitor_;
};

}  // namespace tarvex
