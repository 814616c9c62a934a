// Control ids of the main window's children. They stay clear of IDOK/IDCANCEL
// (which IsDialogMessage sends for Enter and Esc) and of 0xF020, the id the
// minimise request carries in WM_COMMAND.
#pragma once

#include <cstdint>

namespace tarvex::ids {

inline constexpr int kCheckAutoRun = 1001;
inline constexpr int kCheckAutoMin = 1002;
inline constexpr int kCheckState = 1003;
inline constexpr int kCheckMostTop = 1004;
inline constexpr int kCheckEnableRecord = 1005;
inline constexpr int kComboSpeed = 1011;
inline constexpr int kComboAutoCleanCount = 1012;
inline constexpr int kLabelInfo = 1021;
inline constexpr int kLabelCount = 1022;
inline constexpr int kLabelHomePage = 1031;
inline constexpr int kLabelNeedHelp = 1032;
inline constexpr int kListViewHistory = 1041;
inline constexpr int kCommandMini = 1051;
inline constexpr int kCommandExit = 1052;
inline constexpr int kCommandSaveRecords = 1053;
inline constexpr int kCommandClearRecords = 1054;
inline constexpr int kLegendFirst = 1061;  // five squares
inline constexpr int kTabMain = 1071;       // SSTabMain
inline constexpr int kSystemMonitor = 1072;

inline constexpr std::uintptr_t kTimerMain = 1;

}  // namespace tarvex::ids
