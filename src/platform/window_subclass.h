// Putting a per-window hook in front of a window's procedure (the window-
// procedure exchange) and the mouse-leave tracking request. A control keeps its
// own routing tables; this only installs, chains and removes. Windows are opaque
// integers (an HWND's value); no OS header.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvex {

// One installed hook; unique in the process while installed, 0 = none.
using HookHandle = uint64_t;

// Receives every message of a hooked window; returns the message's result.
class MessageRouter {
 public:
  virtual ~MessageRouter() = default;
  virtual int64_t RouteMessage(HookHandle hook, int64_t hWnd, uint32_t uMsg, uint64_t wParam,
                               int64_t lParam) = 0;
};

class WindowSubclasser {
 public:
  virtual ~WindowSubclasser() = default;
  // Makes a hook that hands every message of hWnd to router.RouteMessage,
  // puts it in front of hWnd's procedure and keeps the procedure it replaced. 0 when
  // the window refuses (nothing is then installed). The router must outlive the hook.
  virtual HookHandle Install(int64_t hWnd, MessageRouter& router) = 0;
  // Passes the message to the procedure the hook replaced; called while the
  // hook handles that message.
  virtual int64_t CallPrevious(HookHandle hook, int64_t hWnd, uint32_t uMsg, uint64_t wParam,
                               int64_t lParam) = 0;
  // Puts the replaced procedure back and frees the hook (once no message
  // is inside it any more). Hooks on one window must be removed in the reverse
  // order of installation.
  virtual void Remove(HookHandle hook) = 0;
};

// Mouse-leave tracking and the availability test for the functions it needs.
class MouseTracking {
 public:
  virtual ~MouseTracking() = default;
  // The module (already loaded, or loaded and unloaded here) exports `function`.
  virtual bool FunctionExists(std::string_view function, std::string_view module) = 0;
  // Asks for one WM_MOUSELEAVE for hWnd (TrackMouseEvent from user32 when
  // inUser32, else _TrackMouseEvent from comctl32; TME_LEAVE, hover time 0).
  virtual void TrackLeave(int64_t hWnd, bool inUser32) = 0;
};

}  // namespace tarvex
