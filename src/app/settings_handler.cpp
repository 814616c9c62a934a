// Applying the stored settings at start and writing them on every change.
#include "app/settings_handler.h"

#include <optional>
#include <string>

#include "common/vb_number.h"

namespace tarvex {
namespace {

bool KeyReadsOn(const std::optional<std::string>& value) { return ReadsAsOne(value.value_or(std::string())); }

const char* OneOrZero(bool on) { return on ? "1" : "0"; }

}  // namespace

void SettingsHandler::ApplyStartupSettings() {
  const ModuleConfig::Batch batch(config_);
  ApplyCheck(SettingCheck::kAutoRun, KeyReadsOn(config_.GetAutoRun()));
  ApplyCheck(SettingCheck::kAutoMin, KeyReadsOn(config_.GetAutoMin()));
  ApplyCombo(SettingCombo::kSpeed, KeyReadsOn(config_.GetSpeedLevel()) ? kSpeedNormal : kSpeedCrazy);
  ApplyCheck(SettingCheck::kEnableRecord, KeyReadsOn(config_.GetEnableRecord()));
  // 0100 and 100.0 both select "100"; a missing key gives "0", which no entry
  // matches, so the list stays without a selection (the history limit is 0).
  ApplyCombo(SettingCombo::kAutoCleanCount,
             ShortestDecimalText(ReadVbNumber(config_.GetRecordCount().value_or(std::string()))));
  ApplyCheck(SettingCheck::kState, KeyReadsOn(config_.GetEnableSpeed()));
  ApplyCheck(SettingCheck::kMostTop, KeyReadsOn(config_.GetAlwaysTop()));
}

void SettingsHandler::ApplyCheck(SettingCheck check, bool on) {
  const CheckState wanted = on ? CheckState::kChecked : CheckState::kUnchecked;
  if (controls_.GetCheck(check) == wanted) return;  // no change, no handling
  controls_.SetCheck(check, wanted);
  OnCheckChanged(check);
}

void SettingsHandler::ApplyCombo(SettingCombo combo, const std::string& text) {
  if (controls_.ComboText(combo) == text) return;
  if (controls_.SelectComboText(combo, text)) OnComboChanged(combo);
}

void SettingsHandler::OnCheckChanged(SettingCheck check) {
  const CheckState state = controls_.GetCheck(check);
  const bool checked = state == CheckState::kChecked;
  switch (check) {
    case SettingCheck::kAutoRun: {
      // A greyed box counts as on.
      const bool on = state != CheckState::kUnchecked;
      config_.SetAutoRun(OneOrZero(on));
      if (!on) {
        autoRun_.RemoveAutoRun();
        break;
      }
      if (std::optional<std::string> failure = autoRun_.AddAutoRun()) {
        // Neither list could be written: say why and put the box back to
        // clear, which writes AutoRun=0 through this same handling.
        dialogs_.ShowMessageBox(*failure, "错误", MessageBoxIcon::kExclamation, MessageBoxButtons::kOk);
        controls_.SetCheck(SettingCheck::kAutoRun, CheckState::kUnchecked);
        OnCheckChanged(SettingCheck::kAutoRun);
      }
      break;
    }
    case SettingCheck::kAutoMin:
      config_.SetAutoMin(OneOrZero(checked));
      break;
    case SettingCheck::kState:
      config_.SetEnableSpeed(OneOrZero(checked));
      // The engine counts a greyed box as on.
      speedUp_.SpeedUpSwitched(state != CheckState::kUnchecked);
      break;
    case SettingCheck::kMostTop:
      config_.SetAlwaysTop(OneOrZero(checked));
      window_.SetTopmost(checked);
      break;
    case SettingCheck::kEnableRecord:
      config_.SetEnableRecord(std::to_string(static_cast<int>(state)));
      break;
  }
}

void SettingsHandler::OnComboChanged(SettingCombo combo) {
  const std::string text = controls_.ComboText(combo);
  switch (combo) {
    case SettingCombo::kSpeed:
      config_.SetSpeedLevel(text == kSpeedNormal ? "1" : "2");
      break;
    case SettingCombo::kAutoCleanCount:
      config_.SetRecordCount(text);
      break;
  }
}

bool SettingsHandler::AutoMinReadsOn() const { return KeyReadsOn(config_.GetAutoMin()); }

bool SettingsHandler::AlwaysTopReadsOn() const { return KeyReadsOn(config_.GetAlwaysTop()); }

}  // namespace tarvex
