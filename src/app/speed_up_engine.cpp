// TimerMain's tick: one look at the foreground window, and the give-back.
#include "app/speed_up_engine.h"

#include <limits>
#include <string>

namespace tarvex {

const char* SpeedLevelText(uint32_t obtainedClass) {
  if (obtainedClass == kRealtimePriorityClass) return kSpeedCrazy;
  if (obtainedClass == kHighPriorityClass) return kSpeedNormal;
  return kSpeedFailed;
}

SpeedUpEngine::~SpeedUpEngine() { process_.CloseHandle(raised_.handle); }

void SpeedUpEngine::Reset() {
  state_ = EngineState{};
}

void SpeedUpEngine::GiveBack() { tarvex::GiveBack(process_, raised_); }

void SpeedUpEngine::SpeedUpSwitched(bool on) {
  if (on) return;
  GiveBack();
  raiseAgain_ = true;
}

void SpeedUpEngine::TimerMain_Timer() {
  // While "启用加速" is clear the state freezes.
  if (controls_.GetCheck(SettingCheck::kState) == CheckState::kUnchecked) return;

  const WindowHandle foreground = process_.ForegroundWindow();
  if (foreground == 0 && !process_.ForegroundKnown()) {
    // Nothing says which window is in front: raising Tarvex itself every
    // second would help nobody. Give back, say so once, and raise the window
    // in front again as soon as it is known.
    if (!foregroundUnknown_) {
      foregroundUnknown_ = true;
      GiveBack();
      raiseAgain_ = true;
      status_.SetInfoCaption(kForegroundUnknownText);
      status_.SetInfoToolTip(kForegroundUnknownText);
    }
    return;
  }
  foregroundUnknown_ = false;
  state_.PreviousWindow = state_.CurrentWindow;
  state_.CurrentWindow = foreground;
  // Nothing repeats for the same window, unless speeding up was just switched back on.
  if (state_.CurrentWindow == state_.PreviousWindow && !raiseAgain_) return;
  raiseAgain_ = false;
  // Read only for a new window: asking another program's window for its
  // title every second costs a round trip to the window system.
  const std::string title =
      foreground == 0 ? std::string()
                      : codePage_.AnsiToUtf8(CutAnsi(process_.WindowTextAnsi(foreground), kTitleBufferBytes - 1, codePage_));

  GiveBack();
  const std::string speed = controls_.ComboText(SettingCombo::kSpeed);
  const uint32_t asked = speed == kSpeedNormal ? kHighPriorityClass
                         : speed == kSpeedCrazy ? kRealtimePriorityClass
                                                : 0;
  RaiseResult result;
  if (asked != 0) result = RaiseProcess(process_, 0, state_.CurrentWindow, asked);
  if (result.held) raised_ = *result.held;
  const bool raised = result.Raised();

  // The window is in front whether or not it could be raised.
  status_.SetInfoCaption(title);
  status_.SetInfoToolTip(raised ? title : title + kSpeedFailedNote);
  if (controls_.GetCheck(SettingCheck::kEnableRecord) == CheckState::kChecked) {
    history_.AddSpeedUpRecord(title, SpeedLevelText(result.obtainedClass));
  }
  if (!raised) return;

  // At the largest count the increment is skipped; the caption still shows it.
  if (state_.SpeedUpCount < std::numeric_limits<int32_t>::max()) ++state_.SpeedUpCount;
  status_.SetCountCaption(std::to_string(state_.SpeedUpCount));
}

}  // namespace tarvex
