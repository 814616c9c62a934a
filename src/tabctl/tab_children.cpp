// Moving contained controls between tabs by their positions.
#include "tabctl/tab_children.h"

#include <limits>

namespace tarvex {
namespace {

// Moves one child; a child without Left, or one whose new Left would not fit a
// 32-bit position, stays where it is.
void MoveBy(ContainedControl* child, int64_t shift) {
  if (child == nullptr || shift == 0) return;
  const std::optional<int32_t> left = child->Left();
  if (!left) return;
  const int64_t target = static_cast<int64_t>(*left) + shift;
  if (target < std::numeric_limits<int32_t>::min() || target > std::numeric_limits<int32_t>::max())
    return;
  child->SetLeft(static_cast<int32_t>(target));
}

}  // namespace

int32_t HiddenOffsetFor(int32_t widthTwips) {
  return widthTwips > kMinHiddenOffsetTwips ? widthTwips + 1000 : kMinHiddenOffsetTwips;
}

int32_t TabOfChild(int32_t left, int32_t hiddenOffset) { return TabOfChild(left, hiddenOffset, 0); }

int32_t TabOfChild(int32_t left, int32_t hiddenOffset, int32_t activeTab) {
  const int64_t asTab0 = static_cast<int64_t>(left) - int64_t{activeTab} * hiddenOffset;
  if (hiddenOffset <= 0) return 0;
  if (asTab0 >= 0) return static_cast<int32_t>(asTab0 / hiddenOffset);
  return static_cast<int32_t>((-asTab0 + hiddenOffset - 1) / hiddenOffset);
}

void ShiftChildren(const std::vector<ContainedControl*>& children, int64_t shiftTwips) {
  for (ContainedControl* child : children) MoveBy(child, shiftTwips);
}

void ShiftForInsert(const std::vector<ContainedControl*>& children, int32_t afterIndex,
                    int32_t hiddenOffset, int32_t activeTab) {
  for (ContainedControl* child : children) {
    if (child == nullptr) continue;
    const std::optional<int32_t> left = child->Left();
    if (left && TabOfChild(*left, hiddenOffset, activeTab) > afterIndex) MoveBy(child, -int64_t{hiddenOffset});
  }
}

void ShiftForRemove(const std::vector<ContainedControl*>& children, int32_t index,
                    int32_t tabCount, int32_t hiddenOffset, int32_t activeTab) {
  for (ContainedControl* child : children) {
    if (child == nullptr) continue;
    const std::optional<int32_t> left = child->Left();
    if (!left) continue;
    const int32_t tab = TabOfChild(*left, hiddenOffset, activeTab);
    if (tab == index) {
      MoveBy(child, int64_t{tabCount} * hiddenOffset);
    } else if (tab > index) {
      MoveBy(child, hiddenOffset);
    }
  }
}

}  // namespace tarvex
