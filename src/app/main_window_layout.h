// Where everything sits on the main window, in pixels at 96 dpi (the design
// geometry in twips divided by 15), and which page of SSTabMain holds it.
// Pure data; the window builds itself from it.
#pragma once

#include <cstdint>

#include "common/geometry.h"

namespace tarvex::layout {

inline constexpr Size kClient{572, 451};             // 8580 x 6765 twips
inline constexpr Rect kStrip{0, 0, 577, 60};         // the top strip picture
inline constexpr Rect kTab{8, 67, 8 + 553, 67 + 329};  // SSTabMain, 8295 x 4935 twips
inline constexpr Rect kCommandMini{368, 410, 368 + 81, 410 + 25};
inline constexpr Rect kCommandExit{456, 410, 456 + 81, 410 + 25};

// Page contents, relative to the tab control's top left corner.
inline constexpr Rect At(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w, y + h}; }

// Page 0 " 状态 "
inline constexpr Rect kHeadingState = At(20, 38, 200, 18);
inline constexpr Rect kCaptionInfo = At(36, 64, 112, 16);
inline constexpr Rect kLabelInfo = At(150, 64, 386, 16);
inline constexpr Rect kCaptionCount = At(36, 88, 112, 16);
inline constexpr Rect kLabelCount = At(150, 88, 120, 16);
inline constexpr Rect kHeadingLive = At(20, 118, 200, 18);
inline constexpr Rect kMonitor = At(36, 142, 441, 89);  // 6615 x 1335 twips
inline constexpr int32_t kLegendTop = 246;
inline constexpr int32_t kLegendSquare = 10;
inline constexpr int32_t kLegendLeft[5] = {36, 106, 176, 266, 356};

// Page 1 " 软件设置 "
inline constexpr Rect kHeadingGeneral = At(20, 38, 200, 18);
inline constexpr Rect kCheckAutoRun = At(36, 60, 420, 20);
inline constexpr Rect kCheckAutoMin = At(36, 82, 420, 20);
inline constexpr Rect kCheckMostTop = At(36, 104, 420, 20);
inline constexpr Rect kHeadingSpeed = At(20, 136, 200, 18);
inline constexpr Rect kCheckState = At(36, 158, 240, 20);
inline constexpr Rect kCaptionSpeed = At(36, 186, 64, 16);
inline constexpr Rect kComboSpeed = At(104, 182, 120, 120);  // height includes the drop-down
inline constexpr Rect kHeadingRecord = At(20, 218, 200, 18);
inline constexpr Rect kCheckEnableRecord = At(36, 240, 240, 20);
inline constexpr Rect kCaptionCleanCount = At(36, 268, 86, 16);
inline constexpr Rect kComboAutoCleanCount = At(126, 264, 98, 140);

// Page 2 " 加速记录 "
inline constexpr Rect kListViewHistory = At(20, 34, 513, 249);  // 7695 x 3735 twips
inline constexpr Rect kCommandSaveRecords = At(364, 292, 81, 25);
inline constexpr Rect kCommandClearRecords = At(452, 292, 81, 25);
inline constexpr int32_t kHistoryColumnWidths[4] = {60, 80, 267, 96};  // 900/1200/4000/1440 twips

// Page 3 " 关于软件 "
inline constexpr Rect kAboutIcon = At(36, 46, 48, 48);
inline constexpr Rect kProductName = At(98, 50, 200, 18);
inline constexpr Rect kVersion = At(98, 72, 200, 16);
inline constexpr Rect kAboutText1 = At(36, 116, 480, 16);
inline constexpr Rect kAboutText2 = At(36, 140, 480, 16);
inline constexpr Rect kLabelHomePage = At(36, 180, 160, 16);
inline constexpr Rect kLabelNeedHelp = At(36, 204, 80, 16);

inline constexpr int kPageCount = 4;

}  // namespace tarvex::layout
