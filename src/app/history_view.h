// The history list ListViewHistory (report view, four columns "NO.", "时间",
// "加速记录", "加速度") as the history reads and fills it. Items are numbered
// from 0 in list order; sub-item 0 is the item's own text, 1..3 the columns
// after it. Texts UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

class HistoryView {
 public:
  virtual ~HistoryView() = default;
  virtual int32_t ItemCount() const = 0;
  virtual void ClearItems() = 0;
  // Appends an item with `text` as its own text; its index, or -1 on failure.
  virtual int32_t AddItem(std::string_view text) = 0;
  virtual void SetSubItem(int32_t item, int32_t subItem, std::string_view text) = 0;
  // Small icon of the item: `image` is the 0-based index in the list's small
  // image list (ImageListListViewHistory's image 1 is index 0).
  virtual void SetSmallIcon(int32_t item, int32_t image) = 0;
  // Text of sub-item `subItem` (0 = the item's own text) of `item`.
  virtual std::string ItemText(int32_t item, int32_t subItem) const = 0;
};

}  // namespace tarvex
