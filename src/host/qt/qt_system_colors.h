// The desktop's colours by Windows COLOR_* index, for the own controls'
// system colours (&H80000000 + index): the application palette's role where
// one means the same (button face, its text and 3-D edges, window, highlight,
// tips), the classic scheme where none does. A desktop theme then shows in the
// controls as GetSysColor's scheme does on Windows.
#pragma once

#include "platform/system_colors.h"

namespace tarvex {

class QtSystemColors final : public SystemColors {
 public:
  std::optional<Rgb> SysColor(int index) const override;

 private:
  ClassicSystemColors classic_;
};

}  // namespace tarvex
