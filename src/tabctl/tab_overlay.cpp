// Paints laid over a finished strip without a full repaint: the close box in its
// three looks, the exclusive-or hover/focus overlay of both styles, and the
// focus-rectangle toggle. Control pixels; the hover timer is the site's.
#include "common/control_error.h"
#include "common/rounding.h"
#include "tabctl/tab_painter.h"

namespace tarvex {

namespace {

using tabpaint::Painter;

// Which halves of the overlay pattern a tab gets.
struct Sides {
  bool left = true;
  bool right = true;
};

// The overlay's colours (Rgb): c the marking colour, x = background XOR c.
struct OverlayColors {
  Rgb c = 0;
  Rgb x = 0;
  bool forActive = false;
};

// nullopt-like: returns false when the skip rules say nothing is painted.
bool ChooseOverlayColors(Painter& p, OverlayColors& out) {
  const TabStripState& s = p.s;
  const Rgb activeStart = p.ToRgb(s.ActiveTabBackStartColor);
  const Rgb inactiveStart = p.ToRgb(s.InActiveTabBackStartColor);
  const Rgb hover = p.ToRgb(s.HoverColor);
  const Rgb focused = p.ToRgb(s.FocusedColor);
  out.forActive = s.HoverTab == s.ActiveTab;
  Rgb g = 0;
  if (out.forActive) {
    if (focused == activeStart) return false;
    out.c = s.UseFocusedColor ? focused : hover;
    g = activeStart;
  } else {
    if (hover == activeStart || hover == inactiveStart) return false;
    out.c = hover;
    g = inactiveStart;
  }
  out.x = g ^ out.c;
  return true;
}

// Restores the copy pen even when a step fails half-way.
class XorModeScope {
 public:
  explicit XorModeScope(Surface& surface) : surface_(surface) {
    surface_.SetPenMode(PenMode::XorPen);
  }
  ~XorModeScope() { surface_.SetPenMode(PenMode::CopyPen); }
  XorModeScope(const XorModeScope&) = delete;
  XorModeScope& operator=(const XorModeScope&) = delete;

 private:
  Surface& surface_;
};

// Pixel colours shared by both overlay shapes (steps d, f, g, h, j, k).
struct OverlayPixels {
  Rgb d, f, g, h, j, k;
};

OverlayPixels PixelColors(Painter& p, const OverlayColors& oc) {
  const Rgb o = p.ToRgb(p.s.OuterBorderColor);
  const Rgb strip = p.ToRgb(p.s.TabStripBackColor);
  TabPrimitives& prim = p.prim;
  return {prim.Offset(oc.x, -8) ^ oc.x,
          o ^ prim.Offset(oc.c, -2),
          o ^ prim.Offset(oc.c, -21),
          o ^ prim.Offset(oc.c, -32),
          o ^ pBlendColors(prim.Offset(oc.c, 512), o, 128),
          strip ^ pBlendColors(prim.Offset(oc.c, -32), strip, 50)};
}

}  // namespace

Rgb pBlendColors(Rgb a, Rgb b, int32_t w) {
  try {
    const double weight = static_cast<double>(w & 0xFF) / 255.0;
    auto mix = [&](int ca, int cb) {
      return static_cast<int>(RoundHalfEven(weight * ca + (1.0 - weight) * cb));
    };
    return MakeRgb(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)),
                   mix(BlueOf(a), BlueOf(b)));
  } catch (...) {
    return a;
  }
}

void DrawControlBox(TabStripState& state, TabPaintEnv& env, int32_t boxState,
                    int32_t tabIndex) {
  RaiseAs("TabStrip.DrawControlBox", [&] {
    if (!state.UseControlBox || state.TabTheme < 0 || state.TabTheme >= kTabThemeCount) return;
    if (tabIndex != -1 && state.TabTheme == 0) return;
    Painter p(state, env);
    TabPrimitives& prim = p.prim;
    const Rgb outer = p.ToRgb(state.OuterBorderColor);
    const Rgb cross = prim.Offset(outer, -192);
    Rgb start = p.ToRgb(state.ActiveTabBackStartColor);
    Rgb end = p.ToRgb(state.ActiveTabBackEndColor);
    if (tabIndex != -1 && boxState == 1) {
      end = prim.Offset(end, -48);
    } else if (tabIndex != -1 && boxState == 2) {
      end = prim.Offset(end, -48);
      start = end;
    }
    const int32_t first = tabIndex == -1 ? 0 : tabIndex;
    const int32_t last = tabIndex == -1 ? state.TabCount() - 1 : tabIndex;
    for (int32_t i = first; i <= last; ++i) {
      const Rect c = p.Tab(i).ControlBoxRect;
      p.surface().SetPen(outer);
      // The gradient below covers the whole interior, so no brush is needed.
      p.surface().SetBrush(std::nullopt);
      p.surface().RoundRect(c.left, c.top, c.right, c.bottom, 2, 2);
      prim.FillGradient({c.left + 1, c.top + 1, c.right - 1, c.bottom - 2}, start, end, kNoCurve,
                        false, false);
      p.Line(c.left + 3, c.bottom - 4, c.right - 3, c.top + 2, cross);
      p.Line(c.left + 3, c.top + 3, c.right - 3, c.bottom - 3, cross);
    }
  });
}

void pDrawOverXOred(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.pDrawOverXOred", [&] {
    if (state.TabStyle == kTabStyleTabbedDialog) {
      pDrawOverXOredTabbed(state, env);
    } else if (state.TabStyle == kTabStylePropertyPages) {
      pDrawOverXOredProperty(state, env);
    }
  });
}

void pDrawOverXOredProperty(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.pDrawOverXOredProperty", [&] {
    Painter p(state, env);
    OverlayColors oc;
    if (!ChooseOverlayColors(p, oc)) return;
    const Rect r = state.OverlayRect;
    const int32_t l = r.left, t = r.top, rt = r.right;
    // The neighbours of the active tab get only the half away from it.
    Sides sides;
    const bool leftOfActive = !oc.forActive && state.HoverTab == state.ActiveTab - 1;
    if (leftOfActive) sides.right = false;
    if (!oc.forActive && state.HoverTab == state.ActiveTab + 1) sides.left = false;
    const Rgb o = p.ToRgb(state.OuterBorderColor);
    const OverlayPixels px = PixelColors(p, oc);
    TabPrimitives& prim = p.prim;
    Surface& sf = p.surface();
    auto pair = [&](bool wanted, int32_t x, int32_t y, Rgb color) {
      if (wanted) sf.SetPixel(x, y, color);  // SetPixelV: not affected by XOR
    };
    XorModeScope xorMode(sf);
    prim.FillSolid({l - 1, t + 1, rt, t + 3}, oc.x, 2, true, true);             // a
    pair(sides.left, l, t + 3, oc.x);                                            // b
    pair(sides.right, rt - 1, t + 3, oc.x);
    p.Line(sides.left ? l + 4 : l, t, sides.right ? rt - 4 : rt, t,              // c
           o ^ prim.Offset(oc.c, -21));
    pair(sides.left, l + 5, t + 1, px.d);                                        // d
    pair(sides.left, l + 4, t + 1, px.d);
    pair(sides.left, l + 3, t + 2, px.d);
    pair(sides.right, rt - 6, t + 1, px.d);
    pair(sides.right, rt - 5, t + 1, px.d);
    pair(sides.right, rt - 4, t + 2, px.d);
    p.Line(l + 1, t + 3, rt - 1, t + 3, prim.Offset(oc.x, 21) ^ oc.x);           // e
    pair(sides.left, l + 3, t, px.f);                                            // f
    pair(sides.right, rt - 4, t, px.f);
    pair(sides.left, l + 1, t + 1, px.g);                                        // g
    pair(sides.right, rt - 2, t + 1, px.g);
    pair(sides.left, l, t + 3, px.g);
    pair(sides.right, rt - 1, t + 3, px.g);
    pair(sides.left, l, t + 2, px.h);                                            // h
    pair(sides.right, rt - 1, t + 2, px.h);
    const Rgb stepI = o ^ prim.Offset(oc.c, leftOfActive ? -37 : -34);           // i
    pair(sides.left, l, t + 3, stepI);
    pair(sides.right, rt - 1, t + 3, stepI);
    pair(sides.left, l + 2, t, px.j);                                            // j
    pair(sides.right, rt - 3, t, px.j);
    pair(sides.left, l + 1, t, px.k);                                            // k
    pair(sides.left, l, t + 1, px.k);
    pair(sides.right, rt - 2, t, px.k);
    pair(sides.right, rt - 1, t + 1, px.k);
  });
}

void pDrawOverXOredTabbed(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.pDrawOverXOredTabbed", [&] {
    Painter p(state, env);
    OverlayColors oc;
    if (!ChooseOverlayColors(p, oc)) return;
    const Rect r = state.OverlayRect;
    const int32_t l = r.left, t = r.top, rt = r.right;
    const Rgb o = p.ToRgb(state.OuterBorderColor);
    const OverlayPixels px = PixelColors(p, oc);
    TabPrimitives& prim = p.prim;
    Surface& sf = p.surface();
    // Every left pixel at Left+n has its partner at Right-n on the same row.
    auto mirrored = [&](int32_t n, int32_t y, Rgb color) {
      sf.SetPixel(l + n, y, color);
      sf.SetPixel(rt - n, y, color);
    };
    // The focused active tab's band is a row deeper than a hovered tab's.
    const int32_t bandBottom = oc.forActive ? t + 4 : t + 3;
    XorModeScope xorMode(sf);
    prim.FillSolid({l, t + 1, rt, bandBottom}, oc.x, 3, true, true);
    p.Line(l + 6, t, rt - 5, t, o ^ prim.Offset(oc.c, -21));
    mirrored(6, t + 1, px.d);
    mirrored(5, t + 1, px.d);
    mirrored(4, t + 2, px.d);
    mirrored(3, t + 3, px.d);
    p.Line(l, bandBottom, rt, bandBottom, prim.Offset(oc.x, 21) ^ oc.x);
    mirrored(5, t, px.f);
    mirrored(3, t + 1, px.g);
    mirrored(2, t + 2, px.g);
    mirrored(1, t + 3, px.h);
    mirrored(4, t, px.j);
    mirrored(3, t, px.j);
    mirrored(2, t + 1, px.k);
    mirrored(1, t + 2, px.k);
  });
}

namespace {

void ShowOverlayForHoverTab(TabStripState& state, TabPaintEnv& env) {
  Painter p(state, env);
  state.HoverDrawn = true;
  state.OverlayRect = p.Tab(state.HoverTab).TabRect;
  pDrawOverXOred(state, env);
  if (env.site != nullptr) env.site->StartTimer(kHoverTimerId, kHoverTimerIntervalMs);
}

}  // namespace

void pDrawOnMouseOverProperty(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.pDrawOnMouseOverProperty", [&] { ShowOverlayForHoverTab(state, env); });
}

void pDrawOnMouseOverTabbed(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.pDrawOnMouseOverTabbed", [&] { ShowOverlayForHoverTab(state, env); });
}

void RemoveHoverOverlay(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.TimerEvent", [&] {
    if (!state.HoverDrawn) return;
    if (env.site != nullptr) env.site->StopTimer(kHoverTimerId);
    state.HoverDrawn = false;
    pDrawOverXOred(state, env);
  });
}

void ForgetHoverOverlay(TabStripState& state, TabPaintEnv& env) {
  if (!state.HoverDrawn) return;
  if (env.site != nullptr) env.site->StopTimer(kHoverTimerId);
  state.HoverDrawn = false;
}

void ShowHideFocus(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.ShowHideFocus", [&] {
    pGetCachedProperties(state, env);
    if (state.TabStyle == kTabStyleTabbedDialog) {
      ShowHideFocusTabbedDialog(state, env);
    } else if (state.TabStyle == kTabStylePropertyPages) {
      ShowHideFocusPropertyPages(state, env);
    }
  });
}

void ShowHideFocusPropertyPages(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.ShowHideFocusPropertyPages", [&] {
    if (!env.userMode || !state.ShowFocusRect) return;
    if (state.TabTheme < 0 || state.TabTheme >= kTabThemeCount) return;
    Painter p(state, env);
    const tabpaint::CaptionPlan plan = p.PlanCaptionPropertyPages(state.Cache.ActiveTab);
    p.surface().SetTextColor(plan.textColor);
    p.surface().DrawFocusRect(plan.focusBox);
  });
}

void ShowHideFocusTabbedDialog(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.ShowHideFocusTabbedDialog", [&] {
    if (state.TabTheme == 2) {
      ShowHideFocusPropertyPages(state, env);
      return;
    }
    if (!env.userMode || !state.ShowFocusRect) return;
    if (state.TabTheme < 0 || state.TabTheme >= kTabThemeCount) return;
    Painter p(state, env);
    const tabpaint::CaptionPlan plan = p.PlanCaptionTabbedDialog(state.Cache.ActiveTab);
    p.surface().SetTextColor(plan.textColor);
    p.surface().DrawFocusRect(plan.focusBox);
  });
}

}  // namespace tarvex
