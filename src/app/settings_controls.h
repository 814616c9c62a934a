// The seams between the speed-up core and the main window's controls. The
// seven setting controls on the page " 软件设置 " are the live settings: the
// engine and the history read them at every tick through SettingsControls, and
// the main window routes every change of one of them to
// SettingsHandler::OnCheckChanged / OnComboChanged (settings_handler.h).
//
// Contract for the main window (its view implements these):
//  - SetCheck and SelectComboText only change the control; they never call a
//    change handler. The core calls the handler itself when it sets a control.
//  - The controls start in their design states before the settings are
//    applied: InitialCheckState() below; both lists without a selection.
//  - Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tarvex {

enum class CheckState { kUnchecked = 0, kChecked = 1, kGrayed = 2 };

enum class SettingCheck {
  kAutoRun,       // CheckAutoRun "开机启动(系统启动后自动运行Tarvex)"
  kAutoMin,       // CheckAutoMin "启动后缩为托盘图标"
  kState,         // CheckState "启用加速"
  kMostTop,       // CheckMostTop "窗体总在最前"
  kEnableRecord,  // CheckEnableRecord "启用加速记录"
};

enum class SettingCombo {
  kSpeed,           // ComboSpeed: "普通加速", "疯狂加速"
  kAutoCleanCount,  // ComboAutoCleanCount: "50", "100", "200", "300"
};

inline constexpr char kSpeedNormal[] = "普通加速";
inline constexpr char kSpeedCrazy[] = "疯狂加速";
// The history's level text for a window whose process could not be raised.
inline constexpr char kSpeedFailed[] = "未能加速";
inline constexpr const char* kSpeedEntries[] = {kSpeedNormal, kSpeedCrazy};
inline constexpr const char* kAutoCleanCountEntries[] = {"50", "100", "200", "300"};

// The state each check box has when the window is created.
constexpr CheckState InitialCheckState(SettingCheck check) {
  return (check == SettingCheck::kAutoRun || check == SettingCheck::kAutoMin) ? CheckState::kUnchecked
                                                                             : CheckState::kChecked;
}

class SettingsControls {
 public:
  virtual ~SettingsControls() = default;
  virtual CheckState GetCheck(SettingCheck check) const = 0;
  virtual void SetCheck(SettingCheck check, CheckState state) = 0;
  // The selected entry's text; empty while the list has no selection.
  virtual std::string ComboText(SettingCombo combo) const = 0;
  // Selects the entry whose text is `text`; false (selection unchanged) when
  // the list has no such entry.
  virtual bool SelectComboText(SettingCombo combo, std::string_view text) = 0;
};

// What the settings' change handling needs of the main window itself.
class MainWindowOps {
 public:
  virtual ~MainWindowOps() = default;
  // SetWindowPos(HWND_TOPMOST or HWND_NOTOPMOST, SWP_NOSIZE | SWP_NOMOVE).
  virtual void SetTopmost(bool on) = 0;
};

// The engine, told at once when "启用加速" is checked or cleared.
class SpeedUpSwitch {
 public:
  virtual ~SpeedUpSwitch() = default;
  virtual void SpeedUpSwitched(bool on) = 0;
};

}  // namespace tarvex
