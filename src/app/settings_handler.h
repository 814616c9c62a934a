// The settings at start and their change handling: applies the stored keys to
// the setting controls in start-up order, and writes a key (and does what else
// the control's change asks) whenever a control changes, by the user or by the
// start-up code. The main window routes its controls' change notifications
// (BN_CLICKED, CBN_SELCHANGE) to OnCheckChanged / OnComboChanged.
#pragma once

#include <optional>

#include "app/module_auto_run.h"
#include "app/module_config.h"
#include "app/settings_controls.h"
#include "platform/dialogs.h"

namespace tarvex {

class SettingsHandler {
 public:
  SettingsHandler(ModuleConfig& config, ModuleAutoRun& autoRun, SettingsControls& controls,
                  MainWindowOps& window, Dialogs& dialogs, SpeedUpSwitch& speedUp)
      : config_(config), autoRun_(autoRun), controls_(controls), window_(window), dialogs_(dialogs),
        speedUp_(speedUp) {}

  // Start-up: AutoRun, AutoMin, SpeedLevel, EnableRecord, RecordCount,
  // EnableSpeed, AlwaysTop, each setting its control and running the control's
  // change handling when the value differs from the control's state.
  void ApplyStartupSettings();

  void OnCheckChanged(SettingCheck check);
  void OnComboChanged(SettingCombo combo);

  // The AutoMin / AlwaysTop key reads as the number 1 (start-up hides the
  // window, or puts it on top).
  bool AutoMinReadsOn() const;
  bool AlwaysTopReadsOn() const;

  // Reads and writes from Hold to Release share one look at the settings
  // folder and file: the start makes a dozen, each a round of file calls.
  void HoldSettings() { held_.emplace(config_); }
  void ReleaseSettings() { held_.reset(); }

 private:
  void ApplyCheck(SettingCheck check, bool on);
  void ApplyCombo(SettingCombo combo, const std::string& text);

  ModuleConfig& config_;
  std::optional<ModuleConfig::Batch> held_;
  ModuleAutoRun& autoRun_;
  SettingsControls& controls_;
  MainWindowOps& window_;
  Dialogs& dialogs_;
  SpeedUpSwitch& speedUp_;
};

}  // namespace tarvex
