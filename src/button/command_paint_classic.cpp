// Looks of button types 1 (XP style: shaded face, dark blue rounded border) and
// 2 (classic 3-D bevel from the scheme colours), in every state.
#include "button/command_painter.h"
#include "common/rounding.h"

namespace tarvex {
namespace {

constexpr Rgb kXpBorder = MakeRgb(0, 60, 115);
constexpr Rgb kXpBorderCorner = MakeRgb(16, 77, 123);

void XpNormalFace(CommandPainter& p) {
  const CommandProperties& props = p.Props();
  if (props.ColorScheme == 2 || props.ColorScheme == 3) {
    const Rgb base = ProportionalShift(p.Scheme().face, 48);
    const double step = 25.0 / p.H;
    for (int32_t y = 1; y <= p.H - 2; ++y) {
      p.Line(0, y, p.W, y, ProportionalShift(base, -RoundHalfEven32(step * y)));
    }
    return;
  }
  switch (props.XpType) {
    case 1:
      p.WhiteFade(MakeRgb(198, 197, 215), p.H - 2, 1, -1);
      break;
    case 2: {
      Rgb k = MakeRgb(242, 237, 218);
      for (int32_t y = p.H - 2; y >= 1; --y) {
        k = ShiftColor(k, 1);
        p.Line(1, y, p.W - 2, y, k);
      }
      break;
    }
    case 3:
      p.WhiteFade(MakeRgb(236, 235, 230), p.H - 2, 1, -1);
      break;
    default:
      break;
  }
}

void XpPressedFace(CommandPainter& p) {
  switch (p.Props().XpType) {
    case 1:
      p.WhiteFade(MakeRgb(171, 170, 188), 1, p.H - 2, 1);
      break;
    case 2: {
      const Rgb base = ProportionalShift(ProportionalShift(p.Scheme().face, 48), -32);
      const double step = 15.0 / p.H;
      for (int32_t i = 1; i <= p.H; ++i) {
        p.Line(0, p.H - i, p.W, p.H - i, ProportionalShift(base, -RoundHalfEven32(step * i)));
      }
      break;
    }
    case 3:
      p.WhiteFade(MakeRgb(224, 224, 216), 1, p.H - 2, 1);
      break;
    default:
      break;
  }
}

// The bevel of type 2's normal look (also under its disabled caption).
void Bevel(CommandPainter& p) {
  const SchemeColors& c = p.Scheme();
  const int32_t W = p.W;
  const int32_t H = p.H;
  p.RoundedBorder(c.darkShadow, c.darkShadow);
  p.Pixel(1, 2, c.face);
  p.Pixel(2, 1, c.face);
  p.Line(3, 2, W - 3, 2, c.highlight);
  p.Line(2, 2, 2, H - 3, c.highlight);
  p.Line(W - 3, 1, W - 3, H - 3, c.face);
  p.Line(1, H - 3, W - 3, H - 3, c.face);
  p.Line(W - 2, 3, W - 2, H - 2, c.shadow);
  p.Line(3, H - 2, W - 2, H - 2, c.shadow);
  p.Pixel(W - 4, H - 4, c.face);
  p.Pixel(2, H - 2, c.face);
  p.Pixel(W - 2, 2, c.face);
  p.Pixel(3, 3, c.highlight);
  p.Pixel(W - 3, H - 3, c.shadow);
  p.Pixel(2, H - 3, c.light);
  p.Pixel(W - 3, 2, c.light);
}

}  // namespace

void PaintXpLook(CommandPainter& p, int32_t state) {
  const CommandProperties& props = p.Props();
  if (!props.Enabled) {
    p.Fill(0, 0, p.W, p.H, MakeRgb(244, 244, 234));
    p.SetTextColor(MakeRgb(161, 162, 146));
    p.Caption(false);
    const Rgb k = MakeRgb(201, 199, 186);
    p.RoundedBorder(k, k);
    return;
  }
  if (state == kStatePressed) {
    XpPressedFace(p);
    p.Caption(true);
    p.RoundedBorder(kXpBorder, kXpBorderCorner);
    if (p.Flags().focused) p.FocusRect();
    return;
  }
  XpNormalFace(p);
  p.RoundedBorder(kXpBorder, kXpBorderCorner);
  if (p.Flags().hovering) {
    p.HoverFrame(props.XpType == 2 ? MakeRgb(228, 144, 80) : p.Translate(props.rectcolor));
  } else if (p.Flags().defaultOrFocused) {
    if (props.XpType == 1 || props.XpType == 3) {
      p.BlueInnerFrame(false);
    } else if (props.XpType == 2) {
      const Rgb g = MakeRgb(122, 184, 98);
      p.InnerFrame(g, g, g, g, g, false);
    }
    p.FocusRect();
  }
  p.Caption(false);
}

void PaintBevelLook(CommandPainter& p, int32_t state) {
  const SchemeColors& c = p.Scheme();
  const int32_t W = p.W;
  const int32_t H = p.H;
  if (!p.Props().Enabled) {
    p.Fill(1, 1, W - 2, H - 2, c.light);
    p.SetTextColor(c.shadow);
    p.CaptionOneLine();
    Bevel(p);
    p.SetTextColor(c.highlight);
    p.Caption(false);
    return;
  }
  if (state == kStatePressed) {
    const Rgb d16 = ShiftColor(c.shadow, -16);
    const Rgb d32 = ShiftColor(c.shadow, -32);
    const Rgb d64 = ShiftColor(c.shadow, -64);
    p.Fill(1, 1, W - 2, H - 2, d16);
    p.Line(2, 0, W - 2, 0, c.darkShadow);
    p.Line(2, H - 1, W - 2, H - 1, c.darkShadow);
    p.Line(0, 2, 0, H - 2, c.darkShadow);
    p.Line(W - 1, 2, W - 1, H - 2, c.darkShadow);
    p.Frame(1, 1, W - 2, H - 2, d64);
    p.Frame(2, 2, W - 4, H - 4, d32);
    p.Pixel(2, 2, d64);
    p.Pixel(3, 3, d32);
    p.Pixel(1, 1, c.darkShadow);
    p.Pixel(1, H - 2, c.darkShadow);
    p.Pixel(W - 2, 1, c.darkShadow);
    p.Pixel(W - 2, H - 2, c.darkShadow);
    p.Line(W - 3, 1, W - 3, H - 3, c.shadow);
    p.Line(1, H - 3, W - 2, H - 3, c.shadow);
    p.Pixel(W - 4, H - 4, c.shadow);
    p.Line(W - 2, 3, W - 2, H - 2, d16);
    p.Line(3, H - 2, W - 2, H - 2, d16);
    p.Pixel(W - 2, H - 3, d32);
    p.Pixel(W - 3, H - 2, d32);
    p.Pixel(2, H - 2, d32);
    p.Pixel(W - 2, 2, d32);
    p.Pixel(2, H - 3, d16);
    p.Pixel(1, H - 3, d16);
    p.Pixel(W - 3, 2, d16);
    p.Pixel(W - 3, 1, d16);
    p.SetTextColor(c.light);
    p.Caption(true);
    return;
  }
  p.Fill(1, 1, W - 2, H - 2, c.light);
  Bevel(p);
  if (p.Flags().hovering) {
    p.HoverFrame(p.Translate(p.Props().rectcolor));
  } else if (p.Flags().defaultOrFocused) {
    p.BlueInnerFrame(true);
  }
  p.Caption(false);
}

}  // namespace tarvex
