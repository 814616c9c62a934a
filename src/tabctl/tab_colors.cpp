// Colour sets per TabTheme and visual-style detection.
#include "tabctl/tab_colors.h"

#include <algorithm>

namespace tarvex {
namespace {

constexpr OleColor kInactiveCaption = 0x80000003;
constexpr OleColor kBtnFace = 0x8000000F;
constexpr OleColor kBtnShadow = 0x80000010;
constexpr OleColor kGrayText = 0x80000011;
constexpr OleColor kBtnText = 0x80000012;
constexpr OleColor kBtnHighlight = 0x80000014;
constexpr OleColor k3dDkShadow = 0x80000015;
constexpr OleColor k3dLight = 0x80000016;

// The brightness offset applied to a translated colour (all channels, clamped).
Rgb OffsetRgb(Rgb c, int offset) {
  auto ch = [offset](int v) { return std::clamp(v + offset, 0, 255); };
  return MakeRgb(ch(RedOf(c)), ch(GreenOf(c)), ch(BlueOf(c)));
}

}  // namespace

void ApplyColorSet(TabStripState& s, const SystemColors& colors) {
  switch (s.TabTheme) {
    case 0:
      s.ActiveTabBackStartColor = kBtnFace;
      s.ActiveTabBackEndColor = kBtnFace;
      s.ActiveTabForeColor = kBtnText;
      s.InActiveTabBackStartColor = kBtnFace;
      s.InActiveTabBackEndColor = kBtnFace;
      s.InActiveTabForeColor = kBtnText;
      s.DisabledTabBackColor = kBtnFace;
      s.DisabledTabForeColor = k3dDkShadow;
      s.OuterBorderColor = k3dDkShadow;
      s.TopLeftInnerBorderColor = kBtnHighlight;
      s.BottomRightInnerBorderColor = kBtnShadow;
      break;
    case 1:
      s.ActiveTabBackStartColor = 0xFBFDFB;
      s.ActiveTabBackEndColor = 0xFBFDFB;
      s.ActiveTabForeColor = kBtnText;
      s.InActiveTabBackStartColor = 0xFFFFFF;
      s.InActiveTabBackEndColor = 0xEAF0F0;
      s.InActiveTabForeColor = kBtnText;
      s.DisabledTabBackColor = kBtnFace;
      s.DisabledTabForeColor = 0xA0A0A0;
      s.OuterBorderColor = 0x9B9C91;
      s.HoverColor = 0x3BC7FF;
      s.FocusedColor = 0xEE8269;
      break;
    case 2:
      s.ActiveTabBackStartColor = kBtnFace;
      s.ActiveTabBackEndColor = kBtnFace;
      s.ActiveTabForeColor = kBtnText;
      s.InActiveTabBackStartColor = k3dLight;
      s.InActiveTabBackEndColor = k3dLight;
      s.InActiveTabForeColor = kGrayText;
      s.TabStripBackColor = k3dLight;
      s.DisabledTabBackColor = kBtnFace;
      s.DisabledTabForeColor = k3dDkShadow;
      s.OuterBorderColor = kBtnHighlight;
      s.BottomRightInnerBorderColor = kBtnShadow;
      break;
    case 3:
      s.ActiveTabBackStartColor = 0xF8F8F8;
      s.ActiveTabForeColor = 0xA76D50;
      s.InActiveTabBackStartColor = 0xE5E5E5;
      s.InActiveTabForeColor = 0x909090;
      s.TabStripBackColor = kBtnFace;
      s.DisabledTabBackColor = kBtnFace;
      s.DisabledTabForeColor = k3dDkShadow;
      s.OuterBorderColor = 0x909090;
      break;
    case 4: {
      s.ActiveTabBackStartColor = 0xE7F8FB;
      s.ActiveTabBackEndColor = 0xDCEDF0;
      s.ActiveTabForeColor = kBtnText;
      s.InActiveTabBackStartColor = 0xDCEDF0;
      s.InActiveTabBackEndColor = 0xCBDCDF;
      s.InActiveTabForeColor = kBtnText;
      s.DisabledTabBackColor = kBtnFace;
      s.DisabledTabForeColor = 0xA0A0A0;
      s.OuterBorderColor = 0xA8B9BC;
      s.TopLeftInnerBorderColor = kBtnHighlight;
      s.BottomRightInnerBorderColor = kBtnShadow;
      const Rgb caption = TranslateOleColor(kInactiveCaption, colors);
      s.HoverColor = OffsetRgb(caption, 16);
      s.FocusedColor = OffsetRgb(caption, -16);
      s.PictureMaskColor = 0xFF00FF;
      s.PictureSize = 0;
      s.UseFocusedColor = true;
      s.UseMaskColor = true;
      s.UseThemeDetection = false;
      break;
    }
    default:
      break;
  }
}

bool IsWinXPVersion(const std::optional<OsVersion>& v) {
  return v && v->platformId == 2 && v->major == 5 && v->minor == 1 && v->build >= 2600;
}

std::string ThemeInfoText(const ThemeInfoSource* source) {
  if (source == nullptr || !IsWinXPVersion(source->Version())) return kThemeNone;
  ThemeNameResult r = source->CurrentThemeName();
  if (r.hresult != 0) return kThemeError;
  std::string name = r.colorName.substr(0, r.colorName.find('\0'));
  if (name.find_first_not_of(' ') == std::string::npos) return kThemeNone;
  return name;
}

}  // namespace tarvex
