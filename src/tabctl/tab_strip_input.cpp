// TabStrip: the hosting window's input events — clicks, keys, access keys, the
// hover rule, focus and paint — and the wheel and hover-timer helpers. Client
// pixels throughout. Disabled tabs are refused here, not by the switch.
#include <cmath>

#include "common/control_error.h"
#include "common/rounding.h"
#include "tabctl/tab_paint.h"
#include "tabctl/tab_strip.h"

namespace tarvex {
namespace {

bool HoverTheme(int32_t theme) { return theme == 1 || theme == 4; }

// TabRect hit test, all four edges inclusive; the position as delivered.
bool InTab(const Rect& r, float x, float y) {
  return x >= static_cast<float>(r.left) && x <= static_cast<float>(r.right) &&
         y >= static_cast<float>(r.top) && y <= static_cast<float>(r.bottom);
}

// Input-driven switch: RefreshBusy keeps a nested Refresh out while the switch
// paints; cleared on every exit path.
class InputBusy {
 public:
  explicit InputBusy(TabStripState& s) : s_(s) {
    s_.RefreshBusy = true;
    s_.AutoRedraw = true;
  }
  ~InputBusy() {
    s_.AutoRedraw = false;
    s_.RefreshBusy = false;
  }
  InputBusy(const InputBusy&) = delete;
  InputBusy& operator=(const InputBusy&) = delete;

 private:
  TabStripState& s_;
};

}  // namespace

void TabStrip::OnClick() {
  RaiseAs("TabStrip.UserControl_Click", [&] { events_->Click(); });
}

void TabStrip::OnDblClick() {
  RaiseAs("TabStrip.UserControl_DblClick", [&] { events_->DblClick(); });
}

void TabStrip::OnKeyDown(int16_t& KeyCode, int16_t& Shift) {
  RaiseAs("TabStrip.UserControl_KeyDown", [&] {
    {
      InputBusy busy(s_);
      ApplyKeyRules(KeyCode, Shift);
    }
    events_->KeyDown(KeyCode, Shift);
  });
}

void TabStrip::ApplyKeyRules(int16_t keyCode, int16_t shift) {
  const bool ctrl = (shift & tabkey::kCtrlMask) != 0;
  const int32_t count = s_.TabCount();
  const int32_t active = s_.ActiveTab;
  if (keyCode == tabkey::kRight || (keyCode == tabkey::kPageDown && ctrl)) {
    const int32_t next = active < count - 1 ? active + 1 : 0;
    if (TabEnabled(next)) SwitchTo(next);
  } else if (keyCode == tabkey::kLeft || (keyCode == tabkey::kPageUp && ctrl)) {
    if (active == 0) {
      if (count > 1 && TabEnabled(count - 1)) SwitchTo(count - 1);
    } else if (TabEnabled(active - 1)) {
      SwitchTo(active - 1);
    }
  }
}

void TabStrip::OnKeyPress(int16_t& KeyAscii) {
  RaiseAs("TabStrip.UserControl_KeyPress", [&] { events_->KeyPress(KeyAscii); });
}

void TabStrip::OnKeyUp(int16_t& KeyCode, int16_t& Shift) {
  RaiseAs("TabStrip.UserControl_KeyUp", [&] { events_->KeyUp(KeyCode, Shift); });
}

void TabStrip::OnMouseDown(int16_t Button, int16_t Shift, float x, float y) {
  RaiseAs("TabStrip.UserControl_MouseDown", [&] {
    if (s_.RefreshBusy) return;
    events_->MouseDown(Button, Shift, x, y);
    if (Button != tabkey::kLeftButton) return;
    InputBusy busy(s_);
    pHandleMouseDown(x, y);
  });
}

void TabStrip::pHandleMouseDown(float x, float y) {
  RaiseAs("TabStrip.pHandleMouseDown", [&] {
    if (HoverTheme(s_.TabTheme) && s_.HoverDrawn) {
      s_.HoverDrawn = false;
      site_->StopTimer(kHoverTimerId);
    }
    if (y > static_cast<float>(s_.StripHeight())) return;
    for (int32_t i = 0; i < s_.TabCount(); ++i) {
      const TabItem& tab = s_.AryTabs[static_cast<size_t>(i)];
      if (InTab(tab.TabRect, x, y) && tab.Enabled) {
        if (i != s_.ActiveTab) SwitchTo(i);
        return;
      }
    }
  });
}

void TabStrip::OnMouseMove(int16_t Button, int16_t Shift, float x, float y) {
  RaiseAs("TabStrip.UserControl_MouseMove", [&] {
    events_->MouseMove(Button, Shift, x, y);
    pHandleMouseMove(x, y);
  });
}

void TabStrip::pHandleMouseMove(float x, float y) {
  RaiseAs("TabStrip.pHandleMouseMove", [&] {
    if (!HoverTheme(s_.TabTheme) || s_.HoverDrawn) return;
    const int32_t px = RoundHalfEven32(x);
    const int32_t py = RoundHalfEven32(y);
    if (py > s_.StripHeight()) return;
    TabPaintEnv env = MakeEnv();
    pGetCachedProperties(s_, env);
    for (int32_t i = 0; i < s_.TabCount(); ++i) {
      const TabItem& tab = s_.AryTabs[static_cast<size_t>(i)];
      if (px >= tab.TabRect.left && px <= tab.TabRect.right && tab.Enabled) {
        if (i != s_.ActiveTab) {
          s_.HoverTab = i;
          if (s_.TabStyle == kTabStyleTabbedDialog) {
            pDrawOnMouseOverTabbed(s_, env);
          } else {
            pDrawOnMouseOverProperty(s_, env);
          }
          site_->Refresh();
        }
        return;
      }
    }
  });
}

void TabStrip::OnMouseUp(int16_t Button, int16_t Shift, float x, float y) {
  RaiseAs("TabStrip.UserControl_MouseUp", [&] {
    if (!s_.RefreshBusy) events_->MouseUp(Button, Shift, x, y);
  });
}

void TabStrip::OnAccessKeyPress(int16_t& KeyAscii) {
  RaiseAs("TabStrip.UserControl_AccessKeyPress", [&] {
    if (KeyAscii >= 'a' && KeyAscii <= 'z') KeyAscii = static_cast<int16_t>(KeyAscii - 32);
    int32_t target = -1;
    for (int32_t i = 0; i < s_.TabCount(); ++i) {
      const TabItem& tab = s_.AryTabs[static_cast<size_t>(i)];
      if (tab.AccessKey == KeyAscii && i != s_.ActiveTab && tab.Enabled) {
        target = i;
        break;
      }
    }
    if (target < 0 || s_.RefreshBusy) return;
    InputBusy busy(s_);
    SwitchTo(target);
  });
}

void TabStrip::OnGotFocus() {
  RaiseAs("TabStrip.UserControl_GotFocus", [&] {
    s_.HoverTab = s_.ActiveTab;
    s_.IsFocused = true;
    pShowHideFocus();
  });
}

void TabStrip::OnLostFocus() {
  RaiseAs("TabStrip.UserControl_LostFocus", [&] {
    s_.HoverTab = s_.ActiveTab;
    s_.IsFocused = false;
    pShowHideFocus();
  });
}

void TabStrip::pShowHideFocus() {
  RaiseAs("TabStrip.pShowHideFocus", [&] {
    if (s_.RefreshBusy) return;
    s_.RefreshBusy = true;
    struct Clear {
      TabStripState& s;
      ~Clear() { s.RefreshBusy = false; }
    } clear{s_};
    if (s_.InitDone) s_.AutoRedraw = true;
    TabPaintEnv env = MakeEnv();
    pGetCachedProperties(s_, env);
    tarvex::ShowHideFocus(s_, env);
    site_->Refresh();
  });
}

void TabStrip::OnPaint() {
  RaiseAs("TabStrip.UserControl_Paint", [&] { RefreshCore(); });
}

void TabStrip::OnShow() {
  RaiseAs("TabStrip.UserControl_Show", [&] { RefreshCore(); });
}

// --- wheel and hover timer ---

void TabStrip::ScrollTabs(int64_t wParam) {
  RaiseAs("TabStrip.ScrollTabs", [&] {
    if (wParam < 0) {
      if (s_.ActiveTab < s_.TabCount() - 1) SwitchTo(s_.ActiveTab + 1);
    } else if (s_.ActiveTab > 0) {
      SwitchTo(s_.ActiveTab - 1);
    }
  });
}

bool TabStrip::ReadCursor() {
  std::optional<Point> p = site_->CursorPosition();
  if (!p) return false;
  s_.CursorPos = *p;
  return true;
}

void TabStrip::TimerEvent() {
  RaiseAs("TabStrip.TimerEvent", [&] {
    if (!HoverTheme(s_.TabTheme) || !s_.HoverDrawn) return;
    if (!ReadCursor()) return;
    const Point p = s_.CursorPos;
    const Rect& r = s_.OverlayRect;
    if (p.x < r.left || p.x > r.right || p.y < r.top || p.y > r.bottom) {
      TabPaintEnv env = MakeEnv();
      RemoveHoverOverlay(s_, env);
      site_->Refresh();
    }
  });
}

}  // namespace tarvex
