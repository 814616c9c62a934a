// The engine's outputs on the status page: LabelInfo (beside "正在加速的程序：")
// with its tooltip, and LabelCount (beside "已加速程序个数："). Texts UTF-8.
#pragma once

#include <string_view>

namespace tarvex {

class StatusView {
 public:
  virtual ~StatusView() = default;
  virtual void SetInfoCaption(std::string_view text) = 0;
  virtual void SetInfoToolTip(std::string_view text) = 0;
  virtual void SetCountCaption(std::string_view text) = 0;
};

}  // namespace tarvex
