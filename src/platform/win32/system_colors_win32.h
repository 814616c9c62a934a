// The platform's current system colours through GetSysColor.
#pragma once

#include <windows.h>
#undef DrawText  // keep the surface member's name (see unique_handle.h)

#include "platform/system_colors.h"

namespace tarvex {

class Win32SystemColors final : public SystemColors {
 public:
  std::optional<Rgb> SysColor(int index) const override {
    if (index < 0 || index > kMaxSysColorIndex) return std::nullopt;
    return static_cast<Rgb>(GetSysColor(index)) & 0xFFFFFFu;
  }
};

}  // namespace tarvex
