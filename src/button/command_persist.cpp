// Command: a new button's defaults and the property bag, written and read in
// the button's fixed key orders. Colours travel as integers (OLE colour bits).
#include "button/command.h"

#include "platform/system_colors.h"

namespace tarvex {
namespace {

int64_t ColorValue(OleColor c) { return static_cast<int64_t>(c); }

OleColor ReadColor(const PropertyBag& bag, std::string_view key, OleColor defaultValue) {
  // A stored negative Long (a system colour) keeps its bits.
  return static_cast<OleColor>(static_cast<uint32_t>(bag.ReadInt(key, ColorValue(defaultValue))));
}

}  // namespace

void Command::InitProperties() {
  const SystemColors& system = site_.Colors();
  props_.BackColor = system.SysColor(kColorBtnFace).value_or(0);
  props_.ForeColor = system.SysColor(kColorBtnText).value_or(0);
  props_.Enabled = true;
  props_.Font = site_.AmbientFont();
  props_.storedHwnd = 0;
  props_.ButtonType = 1;
  props_.Caption = host_.AmbientDisplayName();
  props_.ColorScheme = 1;
  props_.XpType = 1;
  props_.ShowFocusRect = true;
  props_.rectcolor = kDefaultRectColor;
  state_ = kStateNormal;
  props_.Percent = kDefaultPercent;
  props_.gradient = kDefaultGradient;
  props_.flat = kDefaultFlat;
}

void Command::WriteProperties(PropertyBag& bag) const {
  const SystemColors& system = site_.Colors();
  const CommandProperties& p = props_;
  bag.Write("BackColor", ColorValue(p.BackColor),
            ColorValue(system.SysColor(kColorBtnFace).value_or(0)));
  bag.Write("ForeColor", ColorValue(p.ForeColor),
            ColorValue(system.SysColor(kColorBtnText).value_or(0)));
  bag.Write("Enabled", p.Enabled, true);
  bag.Write("Font", p.Font, site_.AmbientFont());
  bag.Write("hWnd", int64_t{p.storedHwnd}, int64_t{0});
  bag.Write("ButtonType", int64_t{p.ButtonType}, int64_t{1});
  bag.Write("XpType", int64_t{p.XpType}, int64_t{1});
  bag.Write("Caption", p.Caption, std::string(kDefaultCaptionKey));
  bag.Write("ColorScheme", int64_t{p.ColorScheme}, int64_t{1});
  bag.Write("ShowFocusRect", p.ShowFocusRect, true);
  bag.Write("rectcolor", ColorValue(p.rectcolor), ColorValue(kDefaultRectColor));
  bag.Write("Percent", int64_t{p.Percent}, int64_t{kDefaultPercent});
  const GradientColors& g = p.gradient;
  const GradientColors& dg = kDefaultGradient;
  bag.Write("MidColor", ColorValue(g.MidColor), ColorValue(dg.MidColor));
  bag.Write("EndColor", ColorValue(g.EndColor), ColorValue(dg.EndColor));
  bag.Write("MouseMoveMidColor", ColorValue(g.MouseMoveMidColor), ColorValue(dg.MouseMoveMidColor));
  bag.Write("MouseMoveEndColor", ColorValue(g.MouseMoveEndColor), ColorValue(dg.MouseMoveEndColor));
  bag.Write("MouseDownMidColor", ColorValue(g.MouseDownMidColor), ColorValue(dg.MouseDownMidColor));
  bag.Write("MouseDownEndColor", ColorValue(g.MouseDownEndColor), ColorValue(dg.MouseDownEndColor));
  const FlatColors& f = p.flat;
  const FlatColors& df = kDefaultFlat;
  bag.Write("OfficeXpFillColor", ColorValue(f.OfficeXpFillColor), ColorValue(df.OfficeXpFillColor));
  bag.Write("OfficeXpFrameColor", ColorValue(f.OfficeXpFrameColor),
            ColorValue(df.OfficeXpFrameColor));
  bag.Write("OfficeXpMousemoveFillColor", ColorValue(f.OfficeXpMousemoveFillColor),
            ColorValue(df.OfficeXpMousemoveFillColor));
  bag.Write("OfficeXpMousemoveFrameColor", ColorValue(f.OfficeXpMousemoveFrameColor),
            ColorValue(df.OfficeXpMousemoveFrameColor));
}

void Command::ReadProperties(const PropertyBag& bag) {
  const SystemColors& system = site_.Colors();
  CommandProperties& p = props_;
  p.BackColor = ReadColor(bag, "BackColor", system.SysColor(kColorBtnFace).value_or(0));
  p.ForeColor = ReadColor(bag, "ForeColor", system.SysColor(kColorBtnText).value_or(0));
  p.Enabled = bag.ReadBool("Enabled", true);
  p.Font = bag.ReadFont("Font", site_.AmbientFont());
  p.storedHwnd = static_cast<int32_t>(bag.ReadInt("hWnd", 0));
  p.ButtonType = static_cast<int32_t>(bag.ReadInt("ButtonType", 1));
  p.XpType = static_cast<int32_t>(bag.ReadInt("XpType", 1));
  p.Caption = bag.ReadString("Caption", kDefaultCaptionKey);
  p.ColorScheme = static_cast<int32_t>(bag.ReadInt("ColorScheme", 1));
  p.ShowFocusRect = bag.ReadBool("ShowFocusRect", true);

  host_.SetControlEnabled(p.Enabled);
  site_.PersistentImage().SetFont(p.Font);
  SchemeStep();
  DeriveAccessKey();

  // Read after the scheme step, so stored colours win over its overwrites.
  p.rectcolor = ReadColor(bag, "rectcolor", kDefaultRectColor);
  // A stored split outside 0..100 could never have been set; keep the default.
  const int64_t percent = bag.ReadInt("Percent", kDefaultPercent);
  p.Percent = (percent >= 0 && percent <= 100) ? static_cast<int16_t>(percent) : kDefaultPercent;
  GradientColors& g = p.gradient;
  g.MidColor = ReadColor(bag, "MidColor", kDefaultGradient.MidColor);
  g.EndColor = ReadColor(bag, "EndColor", kDefaultGradient.EndColor);
  g.MouseMoveEndColor = ReadColor(bag, "MouseMoveEndColor", kDefaultGradient.MouseMoveEndColor);
  g.MouseMoveMidColor = ReadColor(bag, "MouseMoveMidColor", kDefaultGradient.MouseMoveMidColor);
  g.MouseDownEndColor = ReadColor(bag, "MouseDownEndColor", kDefaultGradient.MouseDownEndColor);
  g.MouseDownMidColor = ReadColor(bag, "MouseDownMidColor", kDefaultGradient.MouseDownMidColor);
  FlatColors& f = p.flat;
  f.OfficeXpFillColor = ReadColor(bag, "OfficeXpFillColor", kDefaultFlat.OfficeXpFillColor);
  f.OfficeXpFrameColor = ReadColor(bag, "OfficeXpFrameColor", kDefaultFlat.OfficeXpFrameColor);
  f.OfficeXpMousemoveFillColor =
      ReadColor(bag, "OfficeXpMousemoveFillColor", kDefaultFlat.OfficeXpMousemoveFillColor);
  f.OfficeXpMousemoveFrameColor =
      ReadColor(bag, "OfficeXpMousemoveFrameColor", kDefaultFlat.OfficeXpMousemoveFrameColor);

  state_ = kStateNormal;
  Paint(state_, true);
}

}  // namespace tarvex
