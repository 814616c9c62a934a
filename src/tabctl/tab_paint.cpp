// The repaint sequence and its dispatch by TabTheme and TabStyle, the cached
// values of one paint, the page backgrounds of both styles and the helpers the
// tab passes share. Pixels of the control's surface.
#include <algorithm>

#include "common/control_error.h"
#include "tabctl/tab_painter.h"

namespace tarvex {

using tabpaint::Painter;

namespace {

bool IsDrawnTheme(int32_t theme) { return theme >= 0 && theme < kTabThemeCount; }

}  // namespace

namespace tabpaint {

const TabItem& Painter::Tab(int32_t i) const {
  if (s.AryTabs.empty()) throw ControlError(kErrSubscript, "TabStrip.AryTabs");
  i = std::clamp<int32_t>(i, 0, s.TabCount() - 1);
  return s.AryTabs[static_cast<size_t>(i)];
}

void Painter::SetBackColor(OleColor color) {
  s.BackColor = color;
  surface().Clear(ToRgb(color));
  if (env.site != nullptr) env.site->PropertyChanged("BackColor");
}

void Painter::SetForeColor(OleColor color) {
  if (s.ForeColor == color) return;
  s.ForeColor = color;
  if (env.site != nullptr) env.site->PropertyChanged("ForeColor");
}

void Painter::FillStrip() {
  OleColor back = s.TabStripBackColor;
  prim.APIFillRectByCoords(0, 0, W(), H(), back);
}

void Painter::PaintTabPicture(const Picture& picture, int32_t x, int32_t y, int32_t size) {
  const int16_t x16 = ToInt16Checked(x);
  const int16_t y16 = ToInt16Checked(y);
  const int16_t size16 = ToInt16Checked(size);
  if (s.UseMaskColor && picture.type == PictureType::Bitmap) {
    TabPrimitives::DrawImage(surface(), picture, ToRgb(s.PictureMaskColor), x16, y16, size16,
                             size16);
  } else {
    prim.pPaintPicture(picture, x16, y16, size16, size16);
  }
}

void Painter::DrawCaption(const TabItem& tab, const CaptionPlan& plan) {
  surface().SetFont(plan.font);
  surface().SetTextColor(plan.textColor);
  const bool picture = plan.hasPicture && tab.Picture != nullptr;
  if (picture && !plan.pictureAfterText) {
    PaintTabPicture(*tab.Picture, plan.pictureX, plan.pictureY, plan.pictureSize);
  }
  std::string text = plan.text;
  Rect box = plan.textBox;
  surface().DrawText(text, box, plan.textFlags);
  if (picture && plan.pictureAfterText) {
    PaintTabPicture(*tab.Picture, plan.pictureX, plan.pictureY, plan.pictureSize);
  }
}

void Painter::MaybeFocus(int32_t i, const CaptionPlan& plan) {
  if (env.userMode && s.ShowFocusRect && IsActive(i) && s.Cache.IsFocused) {
    surface().DrawFocusRect(plan.focusBox);
  }
}

FontDesc Painter::FontOf(int32_t i) const {
  const ::tarvex::TabFont& font = IsActive(i) ? s.ActiveTabFont : s.InActiveTabFont;
  return font ? *font : s.Font;
}

Rgb Painter::TabTextColor(int32_t i) const {
  if (!Tab(i).Enabled) return s.Cache.DisabledTabForeColor;
  return IsActive(i) ? s.Cache.ActiveTabForeColor : s.Cache.InActiveTabForeColor;
}

Rgb Painter::FillStart(int32_t i) const {
  if (!Tab(i).Enabled) return s.Cache.DisabledTabBackColor;
  return IsActive(i) ? s.Cache.ActiveTabBackStartColor : s.Cache.InActiveTabBackStartColor;
}

Rgb Painter::FillEnd(int32_t i) const {
  if (!Tab(i).Enabled) return s.Cache.DisabledTabBackColor;
  return IsActive(i) ? s.Cache.ActiveTabBackEndColor : s.Cache.InActiveTabBackEndColor;
}

void Painter::Measure(std::string& text, Rect& box) {
  surface().DrawText(text, box, kMeasureFlags);
}

}  // namespace tabpaint

void pGetCachedProperties(TabStripState& state, const TabPaintEnv& env) {
  RaiseAs("TabStrip.pGetCachedProperties", [&] {
    const SystemColors& sys = env.colors;
    TabPaintCache& c = state.Cache;
    c.hWnd = env.hWnd;
    c.hDC = env.hDC;
    c.ActiveTab = state.ActiveTab;
    c.ActiveTabHeight = state.ActiveTabHeight;
    c.InActiveTabHeight = state.InActiveTabHeight;
    c.ScaleWidth = env.surface.Width();
    c.ScaleHeight = env.surface.Height();
    c.TabCount = state.TabCount();
    c.IsFocused = state.IsFocused;
    c.OuterBorderColor = TranslateOleColor(state.OuterBorderColor, sys);
    c.ActiveTabForeColor = TranslateOleColor(state.ActiveTabForeColor, sys);
    c.ActiveTabBackStartColor = TranslateOleColor(state.ActiveTabBackStartColor, sys);
    c.ActiveTabBackEndColor = TranslateOleColor(state.ActiveTabBackEndColor, sys);
    c.InActiveTabForeColor = TranslateOleColor(state.InActiveTabForeColor, sys);
    c.InActiveTabBackStartColor = TranslateOleColor(state.InActiveTabBackStartColor, sys);
    c.InActiveTabBackEndColor = TranslateOleColor(state.InActiveTabBackEndColor, sys);
    c.HoverColor = TranslateOleColor(state.HoverColor, sys);
    c.DisabledTabBackColor = TranslateOleColor(state.DisabledTabBackColor, sys);
    c.DisabledTabForeColor = TranslateOleColor(state.DisabledTabForeColor, sys);
    c.PictureSizePx = state.PictureSize != 0 ? env.largeIconPx : env.smallIconPx;
  });
}

void PaintTabStrip(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.pDrawMe", [&] {
    ForgetHoverOverlay(state, env);
    TabPrimitives(env.surface, env.colors).Cls(state.BackColor);
    DrawBackground(state, env);
    DrawTabs(state, env);
  });
}

void DrawBackground(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.DrawBackground", [&] {
    if (!IsDrawnTheme(state.TabTheme)) return;
    // Theme 3 paints its page over the lower part of the rounded tabs, so the
    // very first page paint waits until the tabs are down.
    if (state.TabTheme == 3 && !state.BackgroundDeferred) {
      state.BackgroundDeferred = true;
      return;
    }
    pGetCachedProperties(state, env);
    if (state.TabStyle == kTabStyleTabbedDialog) {
      DrawBackgroundTabbedDialog(state, env);
    } else if (state.TabStyle == kTabStylePropertyPages) {
      DrawBackgroundPropertyPages(state, env);
    }
  });
}

void DrawTabs(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.DrawTabs", [&] {
    if (IsDrawnTheme(state.TabTheme)) {
      pGetCachedProperties(state, env);
      if (state.TabStyle == kTabStyleTabbedDialog) {
        DrawTabsTabbedDialog(state, env);
      } else if (state.TabStyle == kTabStylePropertyPages) {
        DrawTabsPropertyPages(state, env);
      }
      if (state.TabTheme == 3) {
        state.BackgroundDeferred = true;
        DrawBackground(state, env);
      }
    }
    if (state.UseControlBox) DrawControlBox(state, env, 0, -1);
  });
}

void DrawBackgroundPropertyPages(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.DrawBackgroundPropertyPages", [&] {
    Painter p(state, env);
    const int32_t theme = state.TabTheme;
    if (theme == 1 || theme == 3 || theme == 4) {
      DrawBackgroundTabbedDialog(state, env);
      return;
    }
    if (theme != 0 && theme != 2) return;
    p.prim.Cls(state.BackColor);
    p.SetBackColor(p.ActiveEnabled() ? state.ActiveTabBackEndColor : state.DisabledTabBackColor);
    const int32_t h = p.H(), w = p.W(), sh = p.S();
    const Rgb outer = state.Cache.OuterBorderColor;
    if (theme == 2) {
      p.Line(0, h, 0, sh - 1, outer);
      p.Line(w - 1, h, w - 1, sh - 1, outer);
      p.Line(0, sh - 1, w, sh - 1, outer);
      return;
    }
    const Rgb topLeft = p.ToRgb(state.TopLeftInnerBorderColor);
    const Rgb bottomRight = p.ToRgb(state.BottomRightInnerBorderColor);
    p.Line(0, h + 1, 0, sh - 1, topLeft);
    p.Line(w - 1, h + 1, w - 1, sh - 1, outer);
    p.Line(w - 2, h + 1, w - 2, sh - 2, bottomRight);
    p.Line(0, sh - 1, w, sh - 1, outer);
    p.Line(1, sh - 2, w - 1, sh - 2, bottomRight);
  });
}

void DrawBackgroundTabbedDialog(TabStripState& state, TabPaintEnv& env) {
  RaiseAs("TabStrip.DrawBackgroundTabbedDialog", [&] {
    Painter p(state, env);
    const int32_t theme = state.TabTheme;
    if (theme == 2) {
      DrawBackgroundPropertyPages(state, env);
      return;
    }
    const int32_t h = p.H(), w = p.W(), sh = p.S();
    const Rgb outer = state.Cache.OuterBorderColor;
    if (theme == 3) {
      // No clearing: on the second call this paints over the tabs' bodies.
      OleColor fill =
          p.ActiveEnabled() ? state.ActiveTabBackStartColor : state.DisabledTabBackColor;
      p.surface().SetBrush(p.ToRgb(fill));
      p.prim.APIFillRectByCoords(0, h + 1, w - 1, sh - h - 2, fill);
      OleColor border = state.OuterBorderColor;
      p.prim.APIRectangle(0, h + 1, w - 1, sh - h - 2, border);
      if (!state.AryTabs.empty()) {
        const Rect& r = p.Tab(state.Cache.ActiveTab).TabRect;
        p.Line(r.left + 1, r.bottom - 1, r.right - 1, r.bottom - 1, fill);
      }
      return;
    }
    if (theme != 0 && theme != 1 && theme != 4) return;
    p.prim.Cls(state.BackColor);
    p.SetBackColor(p.ActiveEnabled() ? state.ActiveTabBackEndColor : state.DisabledTabBackColor);
    if (theme == 0) {
      const Rgb topLeft = p.ToRgb(state.TopLeftInnerBorderColor);
      const Rgb bottomRight = p.ToRgb(state.BottomRightInnerBorderColor);
      p.Line(0, h + 1, 0, sh - 1, outer);
      p.Line(1, h + 2, 1, sh - 2, topLeft);
      p.Line(2, h + 3, 2, sh - 3, topLeft);
      p.Line(w - 1, h + 1, w - 1, sh - 1, outer);
      p.Line(w - 2, h + 2, w - 2, sh - 2, bottomRight);
      p.Line(w - 3, h + 3, w - 3, sh - 3, bottomRight);
      p.Line(0, sh - 1, w, sh - 1, outer);
      p.Line(1, sh - 2, w - 1, sh - 2, bottomRight);
      p.Line(2, sh - 3, w - 2, sh - 3, bottomRight);
      return;
    }
    p.Line(0, h, 0, sh - 1, outer);
    p.Line(w - 1, h, w - 1, sh - 1, outer);
    p.Line(0, sh - 1, w, sh - 1, outer);
  });
}

std::string CaptionWidthText(std::string_view caption) {
  std::string text;
  text.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    text.push_back(caption[i]);
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') ++i;
  }
  if (text.find('&') != std::string::npos && !text.empty()) {
    // Drop the last character, not the last byte: captions are UTF-8.
    size_t cut = text.size() - 1;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    text.erase(cut);
  }
  return text;
}

}  // namespace tarvex
