// The property-pages tab pass: tabs as wide as their captions, drawn per theme
// (3 rounded, 1 and 4 gradient with cut corners, 0 three-dimensional, 2 flat),
// and the caption plans that the focus toggle recomputes. Control pixels.
#include <algorithm>

#include "common/control_error.h"
#include "common/rounding.h"
#include "tabctl/tab_painter.h"

namespace tarvex {

namespace tabpaint {

namespace {

Rect Shifted(Rect r, int32_t dx) {
  r.left = AddChecked(r.left, dx);
  r.right = AddChecked(r.right, dx);
  return r;
}

bool LeftAligned(int32_t align) { return align == 0 || align == 2; }
bool RightAligned(int32_t align) { return align == 1 || align == 3; }

// Vertical centring of a picture of size p in box b, halves to even.
int32_t PictureTop(const Rect& b, int32_t p) {
  return b.top + RoundHalfEven32((b.bottom - b.top - p) / 2.0);
}

}  // namespace

CaptionPlan Painter::PlanCaptionPropertyPages(int32_t i) {
  const TabItem& tab = Tab(i);
  const Rect& r = tab.TabRect;
  const int32_t theme = s.TabTheme;
  const int32_t shift = s.UseControlBox ? -2 : 0;
  const int32_t align = s.PictureAlign;
  CaptionPlan plan;
  plan.font = FontOf(i);
  plan.textColor = TabTextColor(i);
  plan.text = tab.Caption;
  plan.hasPicture = tab.Picture != nullptr && (LeftAligned(align) || RightAligned(align));
  surface().SetFont(plan.font);

  if (theme == 3) {
    Rect b = Shifted({r.left, r.top, r.right - 1, r.bottom}, shift);
    int32_t p = s.Cache.PictureSizePx;
    int32_t m = 0, e = 0;
    if (plan.hasPicture) {
      if (int64_t{p} + b.top > int64_t{b.bottom} + 1) p = b.bottom - 4 - b.top;
      plan.pictureSize = p;
      plan.pictureY = PictureTop(b, p);
      if (LeftAligned(align)) {
        plan.pictureX = b.left + 4;
        m = plan.pictureX + p + 2;
        b.left = m;
      } else {
        m = b.left;
        e = b.right;
        b.right -= p + 2;
      }
    }
    Measure(plan.text, b);
    const int32_t tw = b.right - b.left + 2;
    const int32_t th = b.bottom - b.top + 1;
    b.left += 7;
    b.right = b.left + tw - (plan.hasPicture ? 7 : 0);
    b.top = RoundHalfEven32(r.bottom / 2.0 + b.top - b.bottom / 2.0);
    b.bottom = b.top + th;
    if (plan.hasPicture && LeftAligned(align)) b.left = m;
    if (plan.hasPicture && RightAligned(align)) {
      b.right += 7;
      plan.pictureAfterText = true;
      plan.pictureX = b.right + 5;
      if (plan.pictureX + p > e) plan.pictureX = e - p;
    }
    plan.textBox = b;
    plan.textFlags = dt::kSingleLine;
    plan.focusBox = Shifted(b, shift);
    return plan;
  }

  // Themes 0, 1, 2 and 4: a fixed box, the caption centred in it.
  Rect b;
  int32_t cap = 2;
  if (theme == 0) {
    b = {r.left + 2, r.top + 2, r.right - 3, r.bottom};
    cap = 6;
  } else if (theme == 2) {
    b = {r.left + 2, r.top + 2, r.right - 1, r.bottom};
  } else {
    b = {r.left + 2, r.top + 4, r.right - 2, r.bottom};
  }
  b = Shifted(b, shift);
  Rect text = b;
  if (plan.hasPicture) {
    const int32_t p = std::min(s.Cache.PictureSizePx, H() - cap);
    plan.pictureSize = p;
    plan.pictureY = PictureTop(b, p);
    if (LeftAligned(align)) {
      plan.pictureX = b.left + 2;
      text.left += theme == 0 ? p - 6 : p - 1;
    } else {
      // Theme 0 leaves the right picture's place open: like themes 1, 2 and 4.
      plan.pictureX = b.right - p - 2;
      text.right -= theme == 0 ? p - 3 : p + 5;
    }
  }
  plan.textBox = text;
  plan.textFlags = kCenteredCaptionFlags;
  // The focus box is the caption box moved back from the close-box shift.
  plan.focusBox = Shifted(b, -shift);
  return plan;
}

}  // namespace tabpaint

namespace {

using tabpaint::Painter;

void DrawTheme3Tab(Painter& p, int32_t i) {
  const Rect& r = p.Tab(i).TabRect;
  p.SetForeColor(p.s.OuterBorderColor);
  p.surface().SetPen(p.cache().OuterBorderColor);
  p.surface().SetBrush(p.FillStart(i));
  p.surface().RoundRect(r.left, r.top, r.right, p.S() - 1, p.s.XRadius, p.s.YRadius);
}

// Themes 1 and 4: gradient tabs with two-pixel cut corners. Position relative
// to the active tab decides which corners are cut and which edges are drawn.
void DrawTheme1Tab(Painter& p, int32_t i) {
  const TabStripState& s = p.s;
  const Rect r = p.Tab(i).TabRect;
  const int32_t l = r.left, t = r.top, rt = r.right, b = r.bottom;
  const Rgb o = p.cache().OuterBorderColor;
  const bool tallerInactive = s.InActiveTabHeight + 2 > s.ActiveTabHeight;
  const int32_t active = p.cache().ActiveTab;
  if (i == active) {
    Rect fill = r;
    bool cut = true;
    p.prim.pFillCurvedGradientR(fill, p.FillStart(i), p.FillEnd(i), 2, cut, cut);
    p.Line(l, t + 2, l + 3, t - 1, o);
    p.Line(l + 2, t, rt - 2, t, o);
    p.Line(rt - 2, t + 1, rt, t + 3, o);
    p.Line(rt - 1, t + 2, rt - 1, b + 1, o);
    p.Line(l, t + 2, l, b + 1, o);
  } else if (i == active - 1) {
    p.prim.FillGradient(r, p.FillStart(i), p.FillEnd(i), 2, true, tallerInactive);
    p.Line(l, t + 2, l + 3, t - 1, o);
    if (tallerInactive) {
      p.Line(l + 2, t, rt - 2, t, o);
      p.Line(rt - 2, t + 1, rt, t + 3, o);
      p.Line(rt - 1, t + 2, rt - 1, b + 1, o);
    } else {
      p.Line(l + 2, t, rt, t, o);
    }
    p.Line(l, b, rt + 1, b, o);
    p.Line(l, t + 2, l, b + 1, o);
  } else if (i == active + 1) {
    p.prim.FillGradient({l, t, rt - 1, b}, p.FillStart(i), p.FillEnd(i), 2, tallerInactive,
                        true);
    if (tallerInactive) {
      p.Line(l, t + 2, l + 3, t - 1, o);
      p.Line(l + 2, t, rt - 2, t, o);
      p.Line(l, t + 2, l, b + 1, o);
    } else {
      p.Line(l, t, rt - 2, t, o);
    }
    p.Line(rt - 2, t + 1, rt, t + 3, o);
    p.Line(rt - 1, t + 2, rt - 1, b, o);
    p.Line(l, b, rt + 1, b, o);
  } else {
    p.prim.FillGradient({l, t, rt - 1, b}, p.FillStart(i), p.FillEnd(i), 2, true, true);
    p.Line(l, t + 2, l + 3, t - 1, o);
    p.Line(l + 2, t, rt - 2, t, o);
    p.Line(rt - 2, t + 1, rt, t + 3, o);
    p.Line(rt - 1, t + 2, rt - 1, b + 1, o);
    p.Line(l, b, rt + 1, b, o);
    p.Line(l, t + 2, l, b + 1, o);
  }
}

// Theme 0: three-dimensional tabs, light top-left and dark bottom-right edges.
void DrawTheme0Tab(Painter& p, int32_t i) {
  const TabStripState& s = p.s;
  const Rect r = p.Tab(i).TabRect;
  const int32_t l = r.left, t = r.top, rt = r.right, b = r.bottom;
  const Rgb o = p.cache().OuterBorderColor;
  const Rgb light = p.ToRgb(s.TopLeftInnerBorderColor);
  const Rgb dark = p.ToRgb(s.BottomRightInnerBorderColor);
  const bool tallerInactive = s.InActiveTabHeight + 2 > s.ActiveTabHeight;
  const int32_t active = p.cache().ActiveTab;
  auto rightSide = [&](int32_t bottom) {
    p.Line(rt - 2, t + 1, rt, t + 3, o);
    p.Line(rt - 1, t + 2, rt - 1, bottom, o);
    p.Line(rt - 2, t + 2, rt - 2, bottom, dark);
  };
  if (i == active) {
    p.prim.FillGradient({l, t, rt - 1, b}, p.FillStart(i), p.FillEnd(i), 2, true, true);
    p.Line(l, t + 2, l + 3, t - 1, light);
    p.Line(l + 2, t, rt - 2, t, light);
    rightSide(b + 1);
    p.Line(l, t + 2, l, b + 1, light);
  } else if (i == active - 1) {
    p.prim.FillGradient(r, p.FillStart(i), p.FillEnd(i), 2, true, tallerInactive);
    p.Line(l, t + 2, l + 3, t - 1, light);
    if (tallerInactive) {
      p.Line(l + 2, t, rt - 2, t, light);
      rightSide(b + 1);
    } else {
      p.Line(l + 2, t, rt, t, light);
    }
    p.Line(l, b, rt, b, light);
    p.Line(l, t + 2, l, b + 1, light);
  } else {
    const bool rightOfActive = i == active + 1;
    const bool leftCut = !rightOfActive || tallerInactive;
    // A disabled tab away from the active one starts in DisabledTabBackColor
    // and ends in the inactive end colour.
    const Rgb end = rightOfActive || p.Tab(i).Enabled ? p.FillEnd(i)
                                                      : p.cache().InActiveTabBackEndColor;
    p.prim.FillGradient({l, t, rt - 1, b}, p.FillStart(i), end, 2, leftCut, true);
    if (leftCut) {
      p.Line(l, t + 2, l + 3, t - 1, light);
      p.Line(l + 2, t, rt - 2, t, light);
      p.Line(l, t + 2, l, b + 1, light);
    } else {
      p.Line(l, t, rt - 2, t, light);
    }
    rightSide(b);
    p.Line(l, b, rt, b, light);
  }
  if (i == 0) p.Line(l - 2, b, l, b, light);
}

// Theme 2: flat tabs, plain rectangles.
void DrawTheme2Tab(Painter& p, int32_t i) {
  const TabStripState& s = p.s;
  const Rect r = p.Tab(i).TabRect;
  const int32_t l = r.left, t = r.top, rt = r.right, b = r.bottom;
  const Rgb o = p.cache().OuterBorderColor;
  const int32_t active = p.cache().ActiveTab;
  if (i == active) {
    p.prim.FillGradient(r, p.FillStart(i), p.FillEnd(i), kNoCurve, false, false);
    p.Line(l, t, rt, t, o);
    p.Line(rt, t, rt, b + 2, p.ToRgb(s.BottomRightInnerBorderColor));
    p.Line(l, b + 1, rt, b + 1, p.FillEnd(i));
    p.Line(l, t, l, b + 2, o);
    return;
  }
  // The tab right of the active one starts its fill a pixel in, so the active
  // tab's right edge (on this tab's Left) stays visible.
  const int32_t fillLeft = i == active + 1 ? l + 1 : l;
  p.prim.FillGradient({fillLeft, t, rt, b}, p.FillStart(i), p.FillEnd(i), kNoCurve, false,
                      false);
  if (i != active - 1) p.Line(rt - 1, t + 2, rt - 1, b - 2, p.cache().InActiveTabForeColor);
  p.Line(l, b + 1, rt + 1, b + 1, o);
}

}  // namespace

void DrawTabsPropertyPages(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.DrawTabsPropertyPages", [&] {
    Painter p(state, env);
    p.LayoutPropertyPages();
    const int32_t theme = state.TabTheme;
    for (int32_t i = 0; i < state.TabCount(); ++i) {
      switch (theme) {
        case 3: DrawTheme3Tab(p, i); break;
        case 0: DrawTheme0Tab(p, i); break;
        case 2: DrawTheme2Tab(p, i); break;
        case 1:
        case 4: DrawTheme1Tab(p, i); break;
        default: return;
      }
      const tabpaint::CaptionPlan plan = p.PlanCaptionPropertyPages(i);
      p.DrawCaption(p.Tab(i), plan);
      p.MaybeFocus(i, plan);
    }
    if ((theme == 1 || theme == 4) && state.TabCount() > 0) {
      const Rect& last = p.Tab(state.TabCount() - 1).TabRect;
      p.Line(last.right, last.bottom, p.W(), last.bottom, p.cache().OuterBorderColor);
      state.OverlayRect = p.Tab(state.Cache.ActiveTab).TabRect;
      pDrawOverXOred(state, env);
    }
  });
}

}  // namespace tarvex
