// Internal to the tab painting files: one paint's working set (state, surface,
// primitives) and the helpers the layout, the two styles and the overlays share.
// Not part of the TabStrip's interface.
#pragma once

#include <cstdint>
#include <string>

#include "tabctl/tab_paint.h"
#include "tabctl/tab_primitives.h"

namespace tarvex::tabpaint {

// Where one tab's caption, picture and focus rectangle go, as a theme's tab
// pass computes them; the focus toggle recomputes the same plan.
struct CaptionPlan {
  std::string text;               // the caption as measured (may end in "...")
  Rect textBox;                   // the box handed to DrawText
  uint32_t textFlags = dt::kSingleLine;
  bool hasPicture = false;
  bool pictureAfterText = false;  // painted once the caption is placed
  int32_t pictureX = 0;
  int32_t pictureY = 0;
  int32_t pictureSize = 0;        // square, pixels
  Rect focusBox;                  // DrawFocusRect's box
  FontDesc font;
  Rgb textColor = 0;
};

class Painter {
 public:
  Painter(TabStripState& state, TabPaintEnv& env)
      : s(state), env(env), prim(env.surface, env.colors) {}

  TabStripState& s;
  TabPaintEnv& env;
  TabPrimitives prim;

  Surface& surface() { return env.surface; }
  Rgb ToRgb(OleColor c) const { return prim.GetRGBFromOLE(c); }
  const TabPaintCache& cache() const { return s.Cache; }
  int32_t H() const { return s.StripHeight(); }
  int32_t W() const { return s.Cache.ScaleWidth; }
  int32_t S() const { return s.Cache.ScaleHeight; }

  // The record of tab i with i clamped into the array (the reading accessor).
  const TabItem& Tab(int32_t i) const;
  bool IsActive(int32_t i) const { return i == s.Cache.ActiveTab; }
  // With no tabs at all (never reached through TabCount) the page takes the
  // enabled colours.
  bool ActiveEnabled() const { return s.AryTabs.empty() || Tab(s.Cache.ActiveTab).Enabled; }

  // Sets the hosting window's BackColor, which clears the whole surface to it,
  // and tells the host (a nested Refresh is refused by RefreshBusy).
  void SetBackColor(OleColor color);
  // Sets the hosting window's ForeColor (its pen colour); the host hears of it
  // only when the value changes.
  void SetForeColor(OleColor color);

  // A line in the current pen mode (end point left out).
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb color) {
    prim.Line(x1, y1, x2, y2, color);
  }
  // Strip fill after a layout pass: (0, 0, ScaleWidth, H) in TabStripBackColor.
  void FillStrip();

  // The picture route: transparent blit for a bitmap with UseMaskColor, else
  // the scaled paint.
  void PaintTabPicture(const Picture& picture, int32_t x, int32_t y, int32_t size);
  // Draws a plan's picture (in its order) and text; the focus rectangle is the
  // caller's (its conditions differ between the tab pass and the toggle).
  void DrawCaption(const TabItem& tab, const CaptionPlan& plan);
  // DrawFocusRect on the plan's box when user mode, ShowFocusRect, active tab
  // and focused control all hold.
  void MaybeFocus(int32_t i, const CaptionPlan& plan);

  // Font and text colour of tab i (disabled colours win).
  FontDesc FontOf(int32_t i) const;
  Rgb TabTextColor(int32_t i) const;
  // Fill colours of tab i for the gradient passes (disabled: both ends).
  Rgb FillStart(int32_t i) const;
  Rgb FillEnd(int32_t i) const;

  // Measures with DrawTextA's 0xFFFF8420 (the text comes back as measured).
  void Measure(std::string& text, Rect& box);

  // Layout passes (tab_layout.cpp).
  void LayoutPropertyPages();
  void LayoutTabbedDialog();

  // Caption plans (per style file), for the tab passes and the focus toggle.
  CaptionPlan PlanCaptionPropertyPages(int32_t i);
  CaptionPlan PlanCaptionTabbedDialog(int32_t i);
};

// The flags DrawTextA measures a caption with: DT_CALCRECT, DT_SINGLELINE,
// DT_END_ELLIPSIS and every bit from 16 to 31 (DT_MODIFYSTRING among them).
inline constexpr uint32_t kMeasureFlags = 0xFFFF8420u;
inline constexpr uint32_t kCenteredCaptionFlags = dt::kCenter | dt::kVCenter | dt::kSingleLine;

}  // namespace tarvex::tabpaint
