// The tab control's message hooks (several hooks on one window chain and
// unhook in reverse order, like procedures replaced with SetWindowLongPtr)
// and mouse-leave tracking.
#pragma once

#include <windows.h>

#include <set>

#include "platform/window_subclass.h"

namespace tarvex {

class Win32WindowSubclasser final : public WindowSubclasser {
 public:
  Win32WindowSubclasser() = default;
  ~Win32WindowSubclasser() override;  // removes what is still installed
  Win32WindowSubclasser(const Win32WindowSubclasser&) = delete;
  Win32WindowSubclasser& operator=(const Win32WindowSubclasser&) = delete;

  HookHandle Install(int64_t hWnd, MessageRouter& router) override;
  int64_t CallPrevious(HookHandle hook, int64_t hWnd, uint32_t uMsg, uint64_t wParam,
                       int64_t lParam) override;
  void Remove(HookHandle hook) override;

 private:
  std::set<HookHandle> live_;
};

class Win32MouseTracking final : public MouseTracking {
 public:
  bool FunctionExists(std::string_view function, std::string_view module) override;
  void TrackLeave(int64_t hWnd, bool inUser32) override;
};

}  // namespace tarvex
