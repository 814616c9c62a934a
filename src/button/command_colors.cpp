// Colour arithmetic and the scheme step's derived colours.
#include "button/command_colors.h"

#include <algorithm>

#include "platform/system_colors.h"

namespace tarvex {
namespace {

int Clamp255(int v) { return std::clamp(v, 0, 255); }

Rgb Sys(const SystemColors& system, int index) {
  return system.SysColor(index).value_or(0) & 0x00FFFFFFu;
}

constexpr int kColorBtnShadow = 16;     // COLOR_BTNSHADOW
constexpr int kColorBtnHighlight = 20;  // COLOR_BTNHIGHLIGHT
constexpr int kColor3dDkShadow = 21;    // COLOR_3DDKSHADOW
constexpr int kColor3dLight = 22;       // COLOR_3DLIGHT

}  // namespace

Rgb ShiftColor(Rgb color, int n) {
  return MakeRgb(Clamp255(RedOf(color) + n), Clamp255(GreenOf(color) + n),
                 Clamp255(BlueOf(color) + n));
}

Rgb ProportionalShift(Rgb color, int n) {
  const int blue = BlueOf(color);
  return MakeRgb(Clamp255(RedOf(color) + n), Clamp255(GreenOf(color) + n),
                 Clamp255(blue + (blue * n) / 192));
}

Rgb DarkenToLimit(Rgb color, int dr, int dg, int db, Rgb limit) {
  return MakeRgb(std::clamp(RedOf(color) + dr, 0, RedOf(limit)),
                 std::clamp(GreenOf(color) + dg, 0, GreenOf(limit)),
                 std::clamp(BlueOf(color) + db, 0, BlueOf(limit)));
}

SchemeColors DeriveSchemeColors(int32_t colorScheme, OleColor backColor, OleColor foreColor,
                                const SystemColors& system) {
  SchemeColors c;
  switch (colorScheme) {
    case 2: {
      const Rgb back = TranslateOleColor(backColor, system);
      c.face = back;
      c.shadow = ShiftColor(back, -64);
      c.light = ShiftColor(back, 31);
      c.highlight = ShiftColor(back, 47);
      c.darkShadow = ShiftColor(back, -192);
      c.text = TranslateOleColor(foreColor, system);
      break;
    }
    case 3:
      c.face = 0xC0C0C0;
      c.shadow = 0x808080;
      c.light = 0xDFDFDF;
      c.highlight = 0xFFFFFF;
      c.darkShadow = 0;
      c.text = 0;
      break;
    default:
      c.face = Sys(system, kColorBtnFace);
      c.shadow = Sys(system, kColorBtnShadow);
      c.light = Sys(system, kColor3dLight);
      c.highlight = Sys(system, kColorBtnHighlight);
      c.darkShadow = Sys(system, kColor3dDkShadow);
      c.text = TranslateOleColor(foreColor, system);
      break;
  }
  return c;
}

}  // namespace tarvex
