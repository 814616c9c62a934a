// OLE colour translation over the platform's system colours.
#include "common/color.h"

#include "platform/system_colors.h"

namespace tarvex {

bool TryTranslateOleColor(OleColor color, const SystemColors& system, Rgb& out) {
  const uint32_t kind = color >> 24;
  if (kind == 0x00) {
    out = color;
    return true;
  }
  if (kind == 0x80 && (color & 0x00FFFF00u) == 0) {
    if (auto rgb = system.SysColor(static_cast<int>(color & 0xFF))) {
      out = *rgb & 0x00FFFFFFu;
      return true;
    }
  }
  return false;
}

Rgb TranslateOleColor(OleColor color, const SystemColors& system) {
  Rgb out = 0;
  return TryTranslateOleColor(color, system, out) ? out : 0;
}

}  // namespace tarvex
