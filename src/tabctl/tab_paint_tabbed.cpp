// The tabbed-dialog tab pass: equal-width tabs with centred captions, drawn per
// theme (3 rounded, 1 and 4 gradient with four-pixel cut corners, 0 three-
// dimensional); theme 2 is drawn by the property-pages pass. Control pixels.
#include <algorithm>

#include "common/control_error.h"
#include "common/rounding.h"
#include "tabctl/tab_painter.h"

namespace tarvex {

namespace tabpaint {

CaptionPlan Painter::PlanCaptionTabbedDialog(int32_t i) {
  const TabItem& tab = Tab(i);
  const Rect& r = tab.TabRect;
  const bool theme3 = s.TabTheme == 3;
  const bool active = IsActive(i);
  const int32_t align = s.PictureAlign;
  CaptionPlan plan;
  plan.font = FontOf(i);
  plan.textColor = TabTextColor(i);
  plan.text = tab.Caption;
  plan.hasPicture = tab.Picture != nullptr && align >= 0 && align <= 3;
  surface().SetFont(plan.font);

  Rect b = theme3 ? Rect{r.left, r.top, r.right - 1, r.bottom}
                  : Rect{r.left + 3, r.top + 3, r.right - 2, r.bottom};
  const Rect original = b;
  int32_t p = s.Cache.PictureSizePx;
  if (plan.hasPicture) {
    if (theme3) {
      if (int64_t{p} + b.top > int64_t{b.bottom} + 1) p = b.bottom - 4 - b.top;
    } else {
      p = std::min(p, H() - 2);
    }
    plan.pictureSize = p;
    plan.pictureY = b.top + RoundHalfEven32((b.bottom - b.top - p) / 2.0);
    if (align == 0 || align == 1) {
      if (active) plan.pictureY = std::max(plan.pictureY - 1, b.top);
      const int32_t inset = theme3 ? 4 : 0;
      plan.pictureX = align == 0 ? b.left + inset + (active ? 1 : 0)
                                 : b.right - p - inset - (active ? 1 : 0);
    }
  }
  Measure(plan.text, b);
  const int32_t tw = b.right - b.left + 2;
  const int32_t th = b.bottom - b.top + 1;
  b.left = RoundHalfEven32(b.left - 1 + r.right / 2.0 - b.right / 2.0);
  b.right = b.left + tw;
  b.top = RoundHalfEven32(r.bottom / 2.0 + b.top - b.bottom / 2.0);
  b.bottom = b.top + th;
  if (plan.hasPicture && align == 2) {
    plan.pictureAfterText = true;
    plan.pictureX = std::max(b.left - p - 1, original.left);
  } else if (plan.hasPicture && align == 3) {
    // Bounded by the caption box as it was before measuring, so the picture
    // stays inside its tab.
    plan.pictureAfterText = true;
    plan.pictureX = std::min(b.right + 1, original.right - p);
  }
  plan.textBox = b;
  plan.textFlags = dt::kSingleLine;
  plan.focusBox = b;
  return plan;
}

}  // namespace tabpaint

namespace {

using tabpaint::Painter;

void DrawRoundedTab(Painter& p, int32_t i) {
  const Rect& r = p.Tab(i).TabRect;
  p.SetForeColor(p.s.OuterBorderColor);
  p.surface().SetPen(p.cache().OuterBorderColor);
  p.surface().SetBrush(p.FillStart(i));
  p.surface().RoundRect(r.left, r.top, r.right, p.S() - 1, p.s.XRadius, p.s.YRadius);
}

// Themes 1 and 4: four-pixel cut corners.
void DrawGradientTab(Painter& p, int32_t i) {
  const Rect r = p.Tab(i).TabRect;
  const int32_t l = r.left, t = r.top, rt = r.right, b = r.bottom;
  const Rgb o = p.cache().OuterBorderColor;
  p.prim.FillGradient(r, p.FillStart(i), p.FillEnd(i), 4, true, true);
  p.Line(l, t + 4, l + 4, t, o);
  p.Line(l + 4, t, rt - 4, t, o);
  p.Line(rt - 4, t, rt, t + 4, o);
  p.Line(rt, t + 4, rt, b + 1, o);
  p.Line(l, t + 4, l, b + 1, o);
  if (p.IsActive(i)) {
    p.Line(l + 1, b + 1, rt, b + 1, p.FillEnd(i));
  } else {
    p.Line(l, b + 1, rt + 1, b + 1, o);
  }
}

// Theme 0: outer line plus two inner lines per side on the active tab, one on
// the others. The left side mirrors the right one (outer edge to Bottom+1,
// inner lines one and two pixels longer), the only pattern the stated sides
// suggest; inactive tabs close with their bottom line in OuterBorderColor.
void DrawThreeDTab(Painter& p, int32_t i) {
  const TabStripState& s = p.s;
  const Rect r = p.Tab(i).TabRect;
  const int32_t l = r.left, t = r.top, rt = r.right, b = r.bottom;
  const Rgb o = p.cache().OuterBorderColor;
  const Rgb light = p.ToRgb(s.TopLeftInnerBorderColor);
  const Rgb dark = p.ToRgb(s.BottomRightInnerBorderColor);
  const bool active = p.IsActive(i);
  p.prim.FillGradient({l + 1, t, rt, b}, p.FillStart(i), p.FillEnd(i), 4, true, true);
  // Outer outline.
  p.Line(l, t + 4, l + 4, t, o);
  p.Line(l + 4, t, rt - 4, t, o);
  p.Line(rt - 4, t, rt, t + 4, o);
  p.Line(rt, t + 4, rt, b + 1, o);
  p.Line(l, t + 4, l, b + 1, o);
  const int32_t inner = active ? 2 : 1;
  for (int32_t n = 1; n <= inner; ++n) {
    const int32_t extra = active ? n : 0;  // active inner edges run into the page
    p.Line(l + n, t + 4, l + 4, t + n, light);
    p.Line(l + 4, t + n, rt - 4, t + n, light);
    p.Line(rt - 4, t + n, rt - n, t + 4, dark);
    p.Line(rt - n, t + 4, rt - n, b + 1 + extra, dark);
    p.Line(l + n, t + 4, l + n, b + 1 + extra, light);
  }
  if (active) {
    p.Line(l + 3, b + 1, rt - 2, b + 1, p.FillEnd(i));
    p.Line(l + 3, b + 2, rt - 2, b + 2, p.FillEnd(i));
  } else {
    p.Line(l, b + 1, rt + 1, b + 1, o);
  }
}

void SideLines(Painter& p) {
  const Rgb o = p.cache().OuterBorderColor;
  const int32_t h = p.H();
  p.Line(0, h + 1, 0, h + 4, o);
  p.Line(p.W() - 1, h + 1, p.W() - 1, h + 4, o);
}

}  // namespace

void DrawTabsTabbedDialog(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.DrawTabsTabbedDialog", [&] {
    const int32_t theme = state.TabTheme;
    if (theme == 2) {
      DrawTabsPropertyPages(state, env);
      return;
    }
    if (theme != 0 && theme != 1 && theme != 3 && theme != 4) return;
    Painter p(state, env);
    p.LayoutTabbedDialog();
    for (int32_t i = 0; i < state.TabCount(); ++i) {
      if (theme == 3) {
        DrawRoundedTab(p, i);
      } else if (theme == 0) {
        DrawThreeDTab(p, i);
      } else {
        DrawGradientTab(p, i);
      }
      const tabpaint::CaptionPlan plan = p.PlanCaptionTabbedDialog(i);
      p.DrawCaption(p.Tab(i), plan);
      p.MaybeFocus(i, plan);
    }
    if (theme == 0) return;
    SideLines(p);
    if (theme == 1 || theme == 4) {
      state.OverlayRect = p.Tab(state.Cache.ActiveTab).TabRect;
      pDrawOverXOred(state, env);
    }
  });
}

}  // namespace tarvex
