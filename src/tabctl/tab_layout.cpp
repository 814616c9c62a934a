// The two layout passes: they write each tab's TabRect and ControlBoxRect back
// into its record (pixels of the control) and fill the strip. Property pages
// size tabs to their captions; the tabbed dialog shares the width equally.
#include <algorithm>

#include "common/control_error.h"
#include "common/rounding.h"
#include "tabctl/tab_painter.h"

namespace tarvex::tabpaint {

namespace {

// One row of the property-pages table per theme.
struct PagesMetrics {
  int32_t pictureCap;     // P = min(picture size, H - cap)
  int32_t pictureAdd;     // extra width beside a picture
  int32_t boxGrowActive;  // close-box widening of the active tab
  int32_t boxGrowOther;   // ... and of the others
  int32_t bottomAdd;      // Bottom = Top + height + bottomAdd
  Rect box;               // ControlBoxRect relative to (Right, Top, Right, Top)
};

PagesMetrics PagesRow(int32_t theme) {
  switch (theme) {
    case 3: return {2, 4, 6, 0, 2, {-13, 6, -3, 16}};
    case 2: return {2, 1, 15, 12, 0, {-13, 5, -3, 15}};
    case 0: return {6, 1, 15, 12, 0, {-14, 5, -4, 15}};
    default: return {2, 1, 21, 15, 0, {-13, 6, -3, 16}};  // themes 1 and 4
  }
}

Rect BoxAt(const Rect& rel, const Rect& tab) {
  return {AddChecked(tab.right, rel.left), AddChecked(tab.top, rel.top),
          AddChecked(tab.right, rel.right), AddChecked(tab.top, rel.bottom)};
}

}  // namespace

void Painter::LayoutPropertyPages() {
  const PagesMetrics m = PagesRow(s.TabTheme);
  const int32_t h = H();
  const int32_t active = s.Cache.ActiveTab;
  surface().SetFont(s.ActiveTabFont ? *s.ActiveTabFont : s.Font);
  int32_t previousRight = 0;
  for (int32_t i = 0; i < s.TabCount(); ++i) {
    TabItem tab = Tab(i);
    const std::string text = CaptionWidthText(tab.Caption);
    double width = surface().MeasureText(text).width + 14.0;
    if (tab.Picture) {
      const int32_t picture = std::min(s.Cache.PictureSizePx, h - m.pictureCap);
      width += picture + m.pictureAdd;
    }
    const int32_t w = RoundHalfEven32(width);
    Rect r;
    if (i == 0) {
      r.left = active != 0 ? 2 : 0;
      r.right = active != 0 ? AddChecked(w, 1) : w;
    } else {
      // Themes 1 and 4 butt the active tab and the one right of it against
      // their left neighbour; other tabs keep a one-pixel gap.
      int32_t gap = 0;
      if (s.TabTheme == 3) gap = 1;
      if ((s.TabTheme == 1 || s.TabTheme == 4) && i != active && i != active + 1) gap = 1;
      r.left = AddChecked(previousRight, gap);
      r.right = AddChecked(r.left, w);
    }
    if (s.UseControlBox) {
      r.right = AddChecked(r.right, i == active ? m.boxGrowActive : m.boxGrowOther);
    }
    const int32_t own = i == active ? s.Cache.ActiveTabHeight : s.Cache.InActiveTabHeight;
    r.top = SubChecked(h, own);
    r.bottom = AddChecked(AddChecked(r.top, own), m.bottomAdd);
    tab.TabRect = r;
    tab.ControlBoxRect = BoxAt(m.box, r);
    s.AryTabs[static_cast<size_t>(i)] = std::move(tab);
    previousRight = r.right;
  }
  FillStrip();
}

void Painter::LayoutTabbedDialog() {
  const int32_t count = s.TabCount();
  if (count == 0) throw ControlError(kErrDivisionByZero, "TabStrip.DrawTabsTabbedDialog");
  const int32_t w = RoundHalfEven32(static_cast<double>(W()) / count);
  const int32_t h = H();
  const int32_t bottomAdd = s.TabTheme == 3 ? 2 : 0;
  const Rect box = s.TabTheme == 0 ? Rect{-14, 5, -4, 15} : Rect{-13, 6, -3, 16};
  for (int32_t i = 0; i < count; ++i) {
    TabItem tab = Tab(i);
    Rect r;
    r.left = static_cast<int32_t>(int64_t{w} * i);
    r.right = AddChecked(r.left, w);
    if (i == count - 1) r.right = W() - 1;
    const int32_t own = IsActive(i) ? s.Cache.ActiveTabHeight : s.Cache.InActiveTabHeight;
    r.top = SubChecked(h, own);
    r.bottom = AddChecked(AddChecked(r.top, own), bottomAdd);
    tab.TabRect = r;
    tab.ControlBoxRect = BoxAt(box, r);
    s.AryTabs[static_cast<size_t>(i)] = std::move(tab);
  }
  FillStrip();
}

}  // namespace tarvex::tabpaint
