// The platform's version (GetVersionExA) and current visual-style colour name
// (uxtheme GetCurrentThemeName) for the tab control's theme detection.
#pragma once

#include "platform/theme_info.h"

namespace tarvex {

class Win32ThemeInfo final : public ThemeInfoSource {
 public:
  std::optional<OsVersion> Version() const override;
  ThemeNameResult CurrentThemeName() const override;
};

}  // namespace tarvex
