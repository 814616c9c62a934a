// The foreground speed-up engine: TimerMain's tick. Once a second it looks at
// the foreground window; on a change it gives the process it raised last its
// own class back, raises the new window's process to high or real-time, shows
// the title, records the level really obtained and counts the speed-ups that
// happened. Its state is FormMain's three engine fields and the process it
// holds raised.
#pragma once

#include <cstdint>

#include "app/process_priority.h"
#include "app/settings_controls.h"
#include "app/speed_up_history.h"
#include "app/status_view.h"
#include "platform/code_page.h"
#include "platform/process.h"

namespace tarvex {

// A window title is read into a 255-byte buffer: at most 254 ANSI bytes.
inline constexpr size_t kTitleBufferBytes = 255;

// The status text, shown once, while nothing tells which window is in front
// (no window manager publishes it, as in a Wayland session).
inline constexpr char kForegroundUnknownText[] = "无法得知前台窗口：窗口管理器没有公布活动窗口，暂不加速";

// What the tooltip adds when the window in front could not be raised.
inline constexpr char kSpeedFailedNote[] = "（未能加速）";

// The level text for the class a process obtained: "普通加速" for high,
// "疯狂加速" for real-time, "未能加速" below high.
const char* SpeedLevelText(uint32_t obtainedClass);

// FormMain's engine fields.
struct EngineState {
  WindowHandle CurrentWindow = 0;   // foreground window at the last tick
  WindowHandle PreviousWindow = 0;  // foreground window at the tick before
  int32_t SpeedUpCount = 0;         // speed-ups since start; stays at INT32_MAX once there
};

class SpeedUpEngine final : public SpeedUpSwitch {
 public:
  SpeedUpEngine(ProcessPlatform& process, const CodePage& codePage, const SettingsControls& controls,
                StatusView& status, SpeedUpHistory& history)
      : process_(process), codePage_(codePage), controls_(controls), status_(status), history_(history) {}
  // Closes a handle still held; giving back is the exit path's job.
  ~SpeedUpEngine() override;
  SpeedUpEngine(const SpeedUpEngine&) = delete;
  SpeedUpEngine& operator=(const SpeedUpEngine&) = delete;

  // At start-up: all three fields to 0.
  void Reset();
  // One tick of TimerMain (1000 ms), also run once by the start-up code.
  void TimerMain_Timer();
  // The raised process gets back what it had (unless someone else changed it
  // meanwhile). Every exit path calls this.
  void GiveBack();
  // Cleared: give back at once. Checked again: the next tick raises the window
  // in front even when it is the one seen before.
  void SpeedUpSwitched(bool on) override;

  WindowHandle CurrentWindow() const { return state_.CurrentWindow; }
  WindowHandle PreviousWindow() const { return state_.PreviousWindow; }
  int32_t SpeedUpCount() const { return state_.SpeedUpCount; }
  // The fields themselves, for the window that owns them (and tests).
  EngineState& State() { return state_; }
  // The process held raised; handle 0 when none.
  const RaisedProcess& Raised() const { return raised_; }

 private:
  ProcessPlatform& process_;
  const CodePage& codePage_;
  const SettingsControls& controls_;
  StatusView& status_;
  SpeedUpHistory& history_;
  EngineState state_;
  RaisedProcess raised_;
  bool raiseAgain_ = false;  // set when the box was cleared
  bool foregroundUnknown_ = false;  // the last tick could not learn the foreground
};

}  // namespace tarvex
