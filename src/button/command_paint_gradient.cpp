// Looks of button types 3 (shaded gradient with sheen rows), 4 (banded
// gradient) and 5 (flat style). A band whose divisor is zero is skipped.
#include <algorithm>

#include "button/command_painter.h"
#include "common/rounding.h"

namespace tarvex {
namespace {

// A colour as floating-point running components, rounded when used.
struct Running {
  double r, g, b;
  explicit Running(Rgb k) : r(RedOf(k)), g(GreenOf(k)), b(BlueOf(k)) {}
  Rgb Value() const { return MakeRgb(RoundHalfEven32(r), RoundHalfEven32(g), RoundHalfEven32(b)); }
  void Add(const Running& step) {
    r = std::clamp(r + step.r, 0.0, 255.0);
    g = std::clamp(g + step.g, 0.0, 255.0);
    b = std::clamp(b + step.b, 0.0, 255.0);
  }
};

// (end - start) / divisor per component.
Running StepBetween(Rgb start, Rgb end, double divisor) {
  Running step(0);
  step.r = (RedOf(end) - RedOf(start)) / divisor;
  step.g = (GreenOf(end) - GreenOf(start)) / divisor;
  step.b = (BlueOf(end) - BlueOf(start)) / divisor;
  return step;
}

// A grey-to-white sheen component: 255 - ((255 - e) * i) / divisor, whole numbers.
int SheenComponent(int e, int32_t i, int32_t divisor) {
  return std::clamp(255 - ((255 - e) * i) / divisor, 0, 255);
}

void SheenRow(CommandPainter& p, int32_t y, int32_t lastI, int32_t divisor, Rgb end) {
  if (divisor == 0) return;
  for (int32_t i = 0; i <= lastI; ++i) {
    p.Pixel(i + 2, y,
            MakeRgb(SheenComponent(RedOf(end), i, divisor),
                    SheenComponent(GreenOf(end), i, divisor),
                    SheenComponent(BlueOf(end), i, divisor)));
  }
}

// Whole-number running colour of the banded routine, clamped after each step.
struct Banded {
  int r, g, b;
  Rgb Value() const { return MakeRgb(r, g, b); }
  void Add(int dr, int dg, int db) {
    r = std::clamp(r + dr, 0, 255);
    g = std::clamp(g + dg, 0, 255);
    b = std::clamp(b + db, 0, 255);
  }
};

Banded BandedStart(Rgb k, int n) {
  Banded c{RedOf(k), GreenOf(k), BlueOf(k)};
  c.Add(n, n, n);
  return c;
}

void BandedRows(CommandPainter& p, Banded c, Rgb mid, Rgb end, double divisor, int32_t from,
                int32_t to, int32_t direction) {
  if (divisor == 0) return;
  const int dr = RoundHalfEven32((RedOf(end) - RedOf(mid)) / divisor);
  const int dg = RoundHalfEven32((GreenOf(end) - GreenOf(mid)) / divisor);
  const int db = RoundHalfEven32((BlueOf(end) - BlueOf(mid)) / divisor);
  for (int32_t y = from; direction > 0 ? y <= to : y >= to; y += direction) {
    p.Line(1, y, p.W - 1, y, c.Value());
    c.Add(dr, dg, db);
  }
}

constexpr Rgb kDisabledCaption = MakeRgb(171, 168, 153);

}  // namespace

void ShadedGradient(CommandPainter& p, Rgb top, Rgb frame, Rgb end, int32_t percent, bool flat) {
  const int32_t W = p.W;
  const int32_t H = p.H;
  if (flat) {
    p.Fill(1, 1, W - 2, H - 2, top);
    p.RoundedBorder(frame, frame);
    return;
  }
  const double s = percent * static_cast<double>(H) / 100.0;
  if (s - 1 != 0) {
    Running c(top);
    const Running step = StepBetween(top, end, s - 1);
    for (int32_t y = RoundHalfEven32(s); y >= 1; --y) {
      p.Line(1, y, W - 1, y, c.Value());
      c.Add(step);
    }
  }
  SheenRow(p, 1, W - 4, W - 10, end);
  SheenRow(p, 2, W - W / 3 - 2, W - (2 * W) / 3 - 2, end);
  p.Line(1, RoundHalfEven32(s + 1), W - 1, RoundHalfEven32(s + 1), top);
  p.Line(1, RoundHalfEven32(s + 2), W - 1, RoundHalfEven32(s + 2), top);
  if (H - s - 4 != 0) {
    Running c(top);
    const Running step = StepBetween(top, end, H - s - 4);
    for (int32_t y = RoundHalfEven32(s + 3); y <= H - 4; ++y) {
      p.Line(1, y, W - 1, y, c.Value());
      c.Add(step);
    }
  }
  if (H < 10) return;
  // The surface is read back: the colour the lower gradient left on that row.
  const Rgb k = p.PixelAt(2, H - 10);
  p.Line(1, H - 9, W - 1, H - 9, k);
  p.Line(1, H - 8, W - 1, H - 8, k);
  p.Line(1, RoundHalfEven32(s + 5), W - 1, RoundHalfEven32(s + 5), top);
  p.Line(1, H - 3, W - 2, H - 3, k);
  p.Line(1, H - 2, W - 2, H - 2, k);
  p.RoundedBorder(frame, frame);
}

void BandedGradient(CommandPainter& p, Rgb mid, Rgb border, Rgb end, int32_t percent) {
  const int32_t W = p.W;
  const int32_t H = p.H;
  const double s = percent * static_cast<double>(H) / 100.0;
  if (RoundHalfEven32(s) > 2) {
    BandedRows(p, BandedStart(mid, 10), mid, end, s - 1, RoundHalfEven32(s), 3, -1);
  }
  const int32_t solidEnd = RoundHalfEven32(s + H * 0.27);
  for (int32_t y = RoundHalfEven32(s + 1); y <= solidEnd; ++y) p.Line(1, y, W - 1, y, mid);
  BandedRows(p, BandedStart(mid, 5), mid, end, H - s - 4,
             RoundHalfEven32((percent + 27) * static_cast<double>(H) / 100.0), H - 4, 1);
  p.Frame(1, 1, W - 2, H - 2, MakeRgb(211, 229, 255));
  p.Frame(2, 2, W - 4, H - 4, MakeRgb(201, 216, 255));
  p.Line(1, H - 3, W - 1, H - 3, MakeRgb(207, 234, 255));
  p.RoundedBorder(border, border);
}

void PaintShadedLook(CommandPainter& p, int32_t state) {
  const CommandProperties& props = p.Props();
  const GradientColors& g = props.gradient;
  const bool scheme1 = props.ColorScheme == 1;
  if (!props.Enabled) {
    p.Fill(1, 1, p.W - 2, p.H - 2, MakeRgb(241, 242, 237));
    const Rgb k = MakeRgb(204, 204, 202);
    p.RoundedBorder(k, k);
    p.SetTextColor(kDisabledCaption);
    p.Caption(false);
    return;
  }
  if (state == kStatePressed) {
    ShadedGradient(p, p.Translate(g.MouseDownMidColor),
                   scheme1 ? MakeRgb(203, 130, 62) : MakeRgb(84, 157, 84),
                   p.Translate(g.MouseDownEndColor), props.Percent, !scheme1);
    p.Caption(true);
    return;
  }
  const Rgb otherFrame = MakeRgb(1, 109, 1);
  ShadedGradient(p, p.Translate(g.MidColor), scheme1 ? MakeRgb(183, 183, 183) : otherFrame,
                 p.Translate(g.EndColor), props.Percent, false);
  if (p.Flags().hovering) {
    ShadedGradient(p, p.Translate(g.MouseMoveMidColor),
                   scheme1 ? MakeRgb(82, 134, 182) : otherFrame,
                   p.Translate(g.MouseMoveEndColor), props.Percent, false);
  }
  if (p.Flags().defaultOrFocused) p.FocusRect();
  p.Caption(false);
}

void PaintBandedLook(CommandPainter& p, int32_t state) {
  const CommandProperties& props = p.Props();
  const GradientColors& g = props.gradient;
  const Rgb border = MakeRgb(81, 107, 148);
  if (!props.Enabled) {
    BandedGradient(p, MakeRgb(198, 218, 255), MakeRgb(128, 140, 162), MakeRgb(232, 242, 255), 53);
    p.SetTextColor(kDisabledCaption);
    p.Caption(false);
    return;
  }
  if (state == kStatePressed) {
    BandedGradient(p, p.Translate(g.MouseDownMidColor), border, p.Translate(g.MouseDownEndColor),
                   props.Percent);
    p.Caption(true);
    return;
  }
  if (p.Flags().hovering) {
    BandedGradient(p, p.Translate(g.MouseMoveMidColor), border, p.Translate(g.MouseMoveEndColor),
                   props.Percent);
  } else {
    BandedGradient(p, p.Translate(g.MidColor), border, p.Translate(g.EndColor), props.Percent);
  }
  if (p.Flags().defaultOrFocused) p.FocusRect();
  p.Caption(false);
}

void PaintFlatLook(CommandPainter& p, int32_t state) {
  const CommandProperties& props = p.Props();
  const FlatColors& f = props.flat;
  const int32_t W = p.W;
  const int32_t H = p.H;
  if (!props.Enabled) {
    const bool scheme3 = props.ColorScheme == 3;
    const Rgb outline = scheme3 ? p.Translate(f.OfficeXpFrameColor) : MakeRgb(188, 188, 64);
    p.Frame(0, 0, W, H, outline);
    p.Fill(1, 1, W - 2, H - 2,
           scheme3 ? p.Translate(f.OfficeXpFillColor) : MakeRgb(238, 239, 208));
    p.SetTextColor(outline);
    p.Caption(false);
    return;
  }
  const bool pressed = state == kStatePressed;
  Rgb outline = p.Translate(f.OfficeXpFrameColor);
  Rgb fill = p.Translate(f.OfficeXpFillColor);
  if (pressed) {
    outline = p.Translate(f.OfficeXpMousemoveFrameColor);
    const Rgb hoverFill = p.Translate(f.OfficeXpMousemoveFillColor);
    const Rgb limit = MakeRgb(250, 250, 250);
    fill = props.ColorScheme == 3 ? DarkenToLimit(hoverFill, -40, -30, -15, limit)
                                  : DarkenToLimit(hoverFill, -30, -30, -60, limit);
  } else if (p.Flags().hovering) {
    outline = p.Translate(f.OfficeXpMousemoveFrameColor);
    fill = p.Translate(f.OfficeXpMousemoveFillColor);
  }
  p.Frame(0, 0, W, H, outline);
  p.Fill(1, 1, W - 2, H - 2, fill);
  if (p.Flags().focused) p.FocusRect();
  p.SetTextColor(p.Scheme().text);
  p.Caption(pressed);
}

}  // namespace tarvex
