// Binds FormMainCore, what the main window drives, to the settings handler, the
// engine and the history.
#pragma once

#include "app/form_main_view.h"
#include "app/settings_handler.h"
#include "app/speed_up_engine.h"
#include "app/speed_up_history.h"

namespace tarvex {

class SpeedUpCore final : public FormMainCore {
 public:
  SpeedUpCore(SettingsHandler& settings, SpeedUpEngine& engine, SpeedUpHistory& history)
      : settings_(settings), engine_(engine), history_(history) {}

  void ResetEngine() override { engine_.Reset(); }
  void ApplyStartupSettings() override { settings_.ApplyStartupSettings(); }
  void HoldSettings() override { settings_.HoldSettings(); }
  void ReleaseSettings() override { settings_.ReleaseSettings(); }
  void TimerMainTick() override { engine_.TimerMain_Timer(); }
  void GiveBackRaised() override { engine_.GiveBack(); }
  bool AlwaysTopReadsOn() override { return settings_.AlwaysTopReadsOn(); }
  bool AutoMinReadsOn() override { return settings_.AutoMinReadsOn(); }
  void SaveRecords() override { history_.SaveRecords(); }
  void ClearRecords() override { history_.ClearRecords(); }

 private:
  SettingsHandler& settings_;
  SpeedUpEngine& engine_;
  SpeedUpHistory& history_;
};

}  // namespace tarvex
