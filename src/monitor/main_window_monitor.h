// The main window's monitor instance, SystemMonitorState: the values its form
// stores and the size it has on the status page.
#pragma once

#include <memory>

#include "common/property_bag.h"
#include "monitor/system_monitor.h"

namespace tarvex {

// Client size of SystemMonitorState at 96 dpi (no border): 6615 x 1335 twips.
inline constexpr int32_t kMainWindowMonitorWidthPx = 441;
inline constexpr int32_t kMainWindowMonitorHeightPx = 89;

// The stored form of SystemMonitorState: only the values that differ from the
// control's defaults.
PropertyBag MainWindowMonitorBag();

// Builds SystemMonitorState on its site and reads its stored properties, which
// starts it (the timer runs when the site is in user mode).
std::unique_ptr<SystemMonitor> CreateMainWindowMonitor(ControlSite& site, ModuleLoadSampler& sampler,
                                                       const NumberLocale& locale,
                                                       MonitorFrame* frame = nullptr);

}  // namespace tarvex
