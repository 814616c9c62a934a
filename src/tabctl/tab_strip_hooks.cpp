// TabStrip: the message hooks on its own window and its form, and what the
// intercepted messages do (mouse enter/leave, hover and close-box tracking, the
// wheel, the hover timer, the form's activation, moving and sizing). Everything
// but WM_TIMER arrives after the window has processed the message. The hooks
// never mark a message handled.
#include <string>

#include "tabctl/tab_paint.h"
#include "tabctl/tab_strip.h"

namespace tarvex {
namespace {

bool HoverTheme(int32_t theme) { return theme == 1 || theme == 4; }

}  // namespace

void TabStrip::InstallHooks() {
  // No error trap of its own: failures reach ReadProperties' handler.
  s_.TrackingSupported = false;
  s_.TrackInUser32 = false;
  if (services_.tracking == nullptr || services_.subclasser == nullptr) return;
  s_.TrackingSupported = true;
  s_.TrackInUser32 = services_.tracking->FunctionExists("TrackMouseEvent", "User32");
  if (!s_.TrackInUser32) {
    s_.TrackingSupported = services_.tracking->FunctionExists("_TrackMouseEvent", "Comctl32");
  }
  if (!s_.TrackingSupported) return;
  if (!hooks_) hooks_ = std::make_unique<SubclassTable>(*services_.subclasser, static_cast<SubclassClient&>(*this));

  const int64_t own = site_->WindowHandle();
  if (hooks_->Subclass(own) >= 0) {
    for (uint32_t msg : {tabmsg::kMouseMove, tabmsg::kMouseLeave, tabmsg::kMouseWheel,
                         tabmsg::kLButtonDown, tabmsg::kLButtonUp}) {
      hooks_->AddMsg(own, msg, MsgWhen::After);
    }
    hooks_->AddMsg(own, tabmsg::kTimer, MsgWhen::Before);
  }
  const int64_t parent = site_->ParentWindowHandle();
  if (parent != 0 && hooks_->Subclass(parent) >= 0) {
    for (uint32_t msg : {tabmsg::kActivate, tabmsg::kMoving, tabmsg::kSizing,
                         tabmsg::kExitSizeMove, tabmsg::kSysColorChange, tabmsg::kThemeChanged}) {
      hooks_->AddMsg(parent, msg, MsgWhen::After);
    }
  }
}

void TabStrip::ArmLeaveTracking() {
  if (s_.TrackingSupported && services_.tracking != nullptr) {
    services_.tracking->TrackLeave(site_->WindowHandle(), s_.TrackInUser32);
  }
}

void TabStrip::SubclassProc(bool /*bBefore*/, bool& /*bHandled*/, int64_t& /*lReturn*/,
                            int64_t& lng_hWnd, uint32_t& uMsg, uint64_t& wParam,
                            int64_t& /*lParam*/) {
  // Called from inside a window procedure: a failure must not unwind through
  // the system's frames, and the message itself has been handled already.
  try {
    if (lng_hWnd == site_->WindowHandle()) {
      HandleControlMessage(uMsg, wParam);
    } else {
      HandleParentMessage(uMsg);
    }
  } catch (...) {
  }
}

void TabStrip::HandleControlMessage(uint32_t uMsg, uint64_t wParam) {
  switch (uMsg) {
    case tabmsg::kMouseMove: {
      if (!s_.MouseInside) {
        s_.MouseInside = true;
        ArmLeaveTracking();
        events_->MouseEnter();
      }
      if (!ReadCursor()) return;
      const Point p = s_.CursorPos;
      if (HoverTheme(s_.TabTheme)) {
        if (s_.AryTabs.empty()) return;
        int32_t t;
        const bool fromHover = !s_.AryTabs[static_cast<size_t>(s_.ActiveTab)].TabRect.Contains(p);
        if (!fromHover) {
          t = s_.ActiveTab;
        } else if (s_.HoverTab >= 0 && s_.HoverTab < s_.TabCount() &&
                   s_.AryTabs[static_cast<size_t>(s_.HoverTab)].TabRect.Contains(p)) {
          t = s_.HoverTab;
        } else {
          return;
        }
        int32_t tracked = t;
        float x = static_cast<float>(p.x);
        float y = static_cast<float>(p.y);
        events_->MouseHover(tracked, x, y);
        // The handler may name another tab; only a real one is taken.
        if (tracked >= 0 && tracked < s_.TabCount()) {
          t = tracked;
          if (fromHover) s_.HoverTab = t;
        }
        if (s_.UseControlBox) TrackControlBox(t, p);
      } else if (s_.UseControlBox) {
        for (int32_t d = 0; d < s_.TabCount(); ++d) {
          if (s_.AryTabs[static_cast<size_t>(d)].ControlBoxRect.Contains(p)) {
            s_.HoverTab = d;
            TrackControlBox(d, p);
            return;
          }
          if (d == s_.HoverTab) TrackControlBox(d, p);
        }
      }
      return;
    }
    case tabmsg::kMouseLeave:
      s_.MouseInside = false;
      events_->MouseLeave();
      return;
    case tabmsg::kLButtonDown:
      ControlBoxMouseMessage(true);
      return;
    case tabmsg::kLButtonUp:
      ControlBoxMouseMessage(false);
      return;
    case tabmsg::kMouseWheel: {
      if (s_.AryTabs.empty()) return;
      if (!s_.AryTabs[static_cast<size_t>(s_.ActiveTab)].Enabled || !s_.UseMouseWheelScroll) {
        return;
      }
      // The wheel delta is the signed high word of wParam.
      const auto delta = static_cast<int16_t>((wParam >> 16) & 0xFFFF);
      if (delta < 0) {
        events_->MouseScrollUp();
      } else {
        events_->MouseScrollDown();
      }
      ScrollTabs(delta);
      return;
    }
    case tabmsg::kTimer:
      TimerEvent();
      return;
    default:
      return;
  }
}

// Close-box feedback for the tracked tab t with the cursor at p: hot inside its
// box, normal (and ControlBoxExit) on every move outside it.
void TabStrip::TrackControlBox(int32_t t, Point p) {
  TabPaintEnv env = MakeEnv();
  float x = static_cast<float>(p.x);
  float y = static_cast<float>(p.y);
  if (s_.AryTabs[static_cast<size_t>(t)].ControlBoxRect.Contains(p)) {
    if (s_.ControlBoxHot) {
      events_->ControlBoxHover(x, y);
    } else {
      s_.ControlBoxHot = true;
      events_->ControlBoxEnter();
    }
    DrawControlBox(s_, env, 1, t);
  } else {
    s_.ControlBoxHot = false;
    events_->ControlBoxExit();
    DrawControlBox(s_, env, 0, t);
  }
  site_->Refresh();
}

void TabStrip::ControlBoxMouseMessage(bool down) {
  if (!s_.UseControlBox || !ReadCursor()) return;
  const Point p = s_.CursorPos;
  for (int32_t d = 0; d < s_.TabCount(); ++d) {
    if (!s_.AryTabs[static_cast<size_t>(d)].ControlBoxRect.Contains(p)) continue;
    s_.ControlBoxHot = true;
    float x = static_cast<float>(p.x);
    float y = static_cast<float>(p.y);
    if (down) {
      events_->ControlBoxMouseDown(x, y);
      TabPaintEnv env = MakeEnv();
      DrawControlBox(s_, env, 2, d);
      site_->Refresh();
    } else {
      events_->ControlBoxMouseUp(x, y);
      RemoveTab(d);
    }
    return;
  }
}

void TabStrip::HandleParentMessage(uint32_t uMsg) {
  switch (uMsg) {
    case tabmsg::kActivate:
      s_.HoverTab = s_.ActiveTab;
      Refresh();
      return;
    case tabmsg::kSysColorChange:
    case tabmsg::kThemeChanged:
      Refresh();
      return;
    case tabmsg::kMoving:
      s_.ParentMoving = true;
      events_->Status("Form is moving...");
      return;
    case tabmsg::kSizing:
      s_.ParentMoving = false;
      events_->Status("Form is sizing...");
      return;
    case tabmsg::kExitSizeMove:
      events_->Status(std::string("Finished ") + (s_.ParentMoving ? "Moving." : "Sizing."));
      return;
    default:
      return;
  }
}

}  // namespace tarvex
