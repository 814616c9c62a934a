// The foreground speed-up engine: TimerMain's tick. Once a second it looks at
// the foreground window; on a change it returns the previous window's process
// to the normal class, raises the new one's to high or real-time, shows the
// title, records the speed-up and counts it. Its state is FormMain's three
// engine fields.
#pragma once

#include <cstdint>

#include "app/settings_controls.h"
#include "app/speed_up_history.h"
#include "app/status_view.h"
#include "platform/code_page.h"
#include "platform/process.h"

namespace tarvex {

// A window title is read into a 255-byte buffer: at most 254 ANSI bytes.
inline constexpr size_t kTitleBufferBytes = 255;

// FormMain's engine fields.
struct EngineState {
  WindowHandle CurrentWindow = 0;   // foreground window at the last tick
  WindowHandle PreviousWindow = 0;  // foreground window at the tick before
  int32_t SpeedUpCount = 0;         // speed-ups since start; stays at INT32_MAX once there
};

class SpeedUpEngine {
 public:
  SpeedUpEngine(ProcessPlatform& process, const CodePage& codePage, const SettingsControls& controls,
                StatusView& status, SpeedUpHistory& history)
      : process_(process), codePage_(codePage), controls_(controls), status_(status), history_(history) {}

  // At start-up: all three fields to 0.
  void Reset();
  // One tick of TimerMain (1000 ms), also run once by the start-up code.
  void TimerMain_Timer();

  WindowHandle CurrentWindow() const { return state_.CurrentWindow; }
  WindowHandle PreviousWindow() const { return state_.PreviousWindow; }
  int32_t SpeedUpCount() const { return state_.SpeedUpCount; }
  // The fields themselves, for the window that owns them (and tests).
  EngineState& State() { return state_; }

 private:
  ProcessPlatform& process_;
  const CodePage& codePage_;
  const SettingsControls& controls_;
  StatusView& status_;
  SpeedUpHistory& history_;
  EngineState state_;
};

}  // namespace tarvex
