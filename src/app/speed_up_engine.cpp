// TimerMain's tick: the ten steps of one look at the foreground window.
#include "app/speed_up_engine.h"

#include <limits>
#include <string>

#include "app/process_priority.h"

namespace tarvex {

void SpeedUpEngine::Reset() {
  state_ = EngineState{};
}

void SpeedUpEngine::TimerMain_Timer() {
  // While "启用加速" is clear the state freezes.
  if (controls_.GetCheck(SettingCheck::kState) == CheckState::kUnchecked) return;

  const WindowHandle foreground = process_.ForegroundWindow();
  const std::string title =
      foreground == 0 ? std::string()
                      : codePage_.AnsiToUtf8(CutAnsi(process_.WindowTextAnsi(foreground), kTitleBufferBytes - 1, codePage_));

  state_.PreviousWindow = state_.CurrentWindow;
  state_.CurrentWindow = foreground;
  if (state_.CurrentWindow == state_.PreviousWindow) return;  // nothing repeats for the same window

  (void)SetProcessPriority(process_, 0, state_.PreviousWindow, kNormalPriorityClass);
  const std::string speed = controls_.ComboText(SettingCombo::kSpeed);
  if (speed == kSpeedNormal) {
    (void)SetProcessPriority(process_, 0, state_.CurrentWindow, kHighPriorityClass);
  } else if (speed == kSpeedCrazy) {
    (void)SetProcessPriority(process_, 0, state_.CurrentWindow, kRealtimePriorityClass);
  }

  status_.SetInfoCaption(title);
  status_.SetInfoToolTip(title);
  if (controls_.GetCheck(SettingCheck::kEnableRecord) == CheckState::kChecked) {
    history_.AddSpeedUpRecord(title, speed);
  }

  // At the largest count the increment is skipped; the caption still shows it.
  if (state_.SpeedUpCount < std::numeric_limits<int32_t>::max()) ++state_.SpeedUpCount;
  status_.SetCountCaption(std::to_string(state_.SpeedUpCount));
}

}  // namespace tarvex
