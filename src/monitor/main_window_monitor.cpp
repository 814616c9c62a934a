// SystemMonitorState's stored properties.
#include "monitor/main_window_monitor.h"

namespace tarvex {

PropertyBag MainWindowMonitorBag() {
  PropertyBag bag;
  bag.Put("BackColor", int64_t{0xFBFDFB});
  bag.Put("BorderStyle", int64_t{0});
  bag.Put("CPUMonitorColor", int64_t{0x00C000});
  bag.Put("DisplayGridColor", int64_t{0xE0E0E0});
  bag.Put("UpdateInterval", int64_t{500});
  bag.Put("HDDriveLetter", std::string("C:\\"));
  return bag;
}

std::unique_ptr<SystemMonitor> CreateMainWindowMonitor(ControlSite& site, ModuleLoadSampler& sampler,
                                                       const NumberLocale& locale,
                                                       MonitorFrame* frame) {
  auto monitor = std::make_unique<SystemMonitor>(site, sampler, locale, frame);
  monitor->ReadProperties(MainWindowMonitorBag());
  return monitor;
}

}  // namespace tarvex
