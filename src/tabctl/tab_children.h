// Contained controls per tab. A child's tab is encoded in its horizontal position
// alone: while tab A is active, a child of tab t at real position L sits at
// L + (A - t) * HiddenOffset. All positions and offsets are in twips. Children
// that refuse a move keep their place; the others still move.
#pragma once

#include <cstdint>
#include <vector>

#include "tabctl/contained_control.h"

namespace tarvex {

inline constexpr int32_t kMinHiddenOffsetTwips = 10000;

// The control's width + 1000 when the width exceeds 10000, else 10000.
int32_t HiddenOffsetFor(int32_t widthTwips);

// The tab of a child at `left` while tab 0 is active.
int32_t TabOfChild(int32_t left, int32_t hiddenOffset);
// The same while `activeTab` is active (its position as tab 0 would place it).
int32_t TabOfChild(int32_t left, int32_t hiddenOffset, int32_t activeTab);

// Adds `shiftTwips` to every child's Left (errors of single children ignored).
void ShiftChildren(const std::vector<ContainedControl*>& children, int64_t shiftTwips);

// Every child of a tab after `afterIndex` moves one tab further. Tabs are told
// with `activeTab` active (0 after the switch that inserting makes).
void ShiftForInsert(const std::vector<ContainedControl*>& children, int32_t afterIndex,
                    int32_t hiddenOffset, int32_t activeTab = 0);

// The children of tab `index` are parked beyond all `tabCount` tabs, those of
// later tabs move one tab back.
void ShiftForRemove(const std::vector<ContainedControl*>& children, int32_t index,
                    int32_t tabCount, int32_t hiddenOffset, int32_t activeTab = 0);

}  // namespace tarvex
