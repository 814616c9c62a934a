// Windows' classic ("Windows Standard") system colours, COLOR_SCROLLBAR .. 30.
#include "platform/system_colors.h"

#include <array>

namespace tarvex {

std::optional<Rgb> ClassicSystemColors::SysColor(int index) const {
  static constexpr std::array<Rgb, kMaxSysColorIndex + 1> kTable = {
      MakeRgb(212, 208, 200), MakeRgb(58, 110, 165),  MakeRgb(10, 36, 106),   MakeRgb(128, 128, 128),
      MakeRgb(212, 208, 200), MakeRgb(255, 255, 255), MakeRgb(0, 0, 0),       MakeRgb(0, 0, 0),
      MakeRgb(0, 0, 0),       MakeRgb(255, 255, 255), MakeRgb(212, 208, 200), MakeRgb(212, 208, 200),
      MakeRgb(128, 128, 128), MakeRgb(10, 36, 106),   MakeRgb(255, 255, 255), MakeRgb(212, 208, 200),
      MakeRgb(128, 128, 128), MakeRgb(128, 128, 128), MakeRgb(0, 0, 0),       MakeRgb(212, 208, 200),
      MakeRgb(255, 255, 255), MakeRgb(64, 64, 64),    MakeRgb(212, 208, 200), MakeRgb(0, 0, 0),
      MakeRgb(255, 255, 225), MakeRgb(181, 181, 181), MakeRgb(0, 0, 128),     MakeRgb(166, 202, 240),
      MakeRgb(192, 192, 192), MakeRgb(49, 106, 197),  MakeRgb(236, 233, 216)};
  if (index < 0 || index > kMaxSysColorIndex) return std::nullopt;
  return kTable[static_cast<size_t>(index)];
}

}  // namespace tarvex
