// The window-procedure exchange and mouse-leave tracking for widgets: Qt has no
// window procedures, so each widget hands its input here as the message the
// tab control's hooks know (WM_MOUSEMOVE, WM_TIMER, ...) with its own typed
// handling as the "previous procedure". Windows are widget handles (HandleOf).
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "platform/window_subclass.h"

namespace tarvex {

// A widget as the platform interfaces name windows; 0 for none.
inline int64_t HandleOf(const QWidget* widget) {
  return static_cast<int64_t>(reinterpret_cast<intptr_t>(widget));
}

class MessageHooks final : public WindowSubclasser, public MouseTracking {
 public:
  // Runs `own` as the window's procedure behind any hooks on `window`
  // (the last installed sees the message first); returns its result.
  int64_t Dispatch(int64_t window, uint32_t msg, uint64_t wParam, int64_t lParam,
                   const std::function<int64_t()>& own);
  // Whether a WM_MOUSELEAVE was asked for `window`; clears the request.
  bool TakeLeaveRequest(int64_t window) { return leaveRequests_.erase(window) > 0; }

  // --- WindowSubclasser ---
  HookHandle Install(int64_t hWnd, MessageRouter& router) override;
  int64_t CallPrevious(HookHandle hook, int64_t hWnd, uint32_t uMsg, uint64_t wParam,
                       int64_t lParam) override;
  void Remove(HookHandle hook) override;

  // --- MouseTracking ---
  bool FunctionExists(std::string_view, std::string_view) override { return true; }
  void TrackLeave(int64_t hWnd, bool) override { leaveRequests_.insert(hWnd); }

 private:
  struct Hook {
    HookHandle handle = 0;
    int64_t window = 0;
    MessageRouter* router = nullptr;
  };
  // A message being delivered: its window's own handling, for CallPrevious.
  struct InFlight {
    int64_t window = 0;
    const std::function<int64_t()>* own = nullptr;
  };
  int64_t CallFrom(size_t below, int64_t window, uint32_t msg, uint64_t wParam, int64_t lParam);

  std::vector<Hook> hooks_;  // in installation order
  std::vector<InFlight> inFlight_;
  std::set<int64_t> leaveRequests_;
  HookHandle next_ = 1;
};

}  // namespace tarvex
