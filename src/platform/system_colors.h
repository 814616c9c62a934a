// The platform's current system colours (GetSysColor), by COLOR_* index.
#pragma once

#include <optional>

#include "common/color.h"

namespace tarvex {

inline constexpr int kColorBtnFace = 15;     // COLOR_BTNFACE (&H8000000F)
inline constexpr int kColorBtnText = 18;     // COLOR_BTNTEXT (&H80000012)
inline constexpr int kColorGrayText = 17;    // COLOR_GRAYTEXT
inline constexpr int kColorWindow = 5;       // COLOR_WINDOW
inline constexpr int kColorHighlight = 13;   // COLOR_HIGHLIGHT
inline constexpr int kMaxSysColorIndex = 30;

class SystemColors {
 public:
  virtual ~SystemColors() = default;
  // nullopt for an index the platform does not know.
  virtual std::optional<Rgb> SysColor(int index) const = 0;
};

// The classic Windows scheme, for tests and hosts without system colours.
class ClassicSystemColors final : public SystemColors {
 public:
  std::optional<Rgb> SysColor(int index) const override;
};

}  // namespace tarvex
