// Hook chains over widgets' own input handling (see message_hooks.h).
#include "message_hooks.h"

#include <algorithm>

namespace tarvex {

HookHandle MessageHooks::Install(int64_t hWnd, MessageRouter& router) {
  if (hWnd == 0) return 0;
  hooks_.push_back({next_, hWnd, &router});
  return next_++;
}

void MessageHooks::Remove(HookHandle hook) {
  hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(),
                              [hook](const Hook& h) { return h.handle == hook; }),
               hooks_.end());
}

int64_t MessageHooks::CallFrom(size_t below, int64_t window, uint32_t msg, uint64_t wParam,
                               int64_t lParam) {
  // The next hook on the window installed before index `below`, else the window itself.
  for (size_t i = below; i-- > 0;) {
    if (hooks_[i].window == window) {
      return hooks_[i].router->RouteMessage(hooks_[i].handle, window, msg, wParam, lParam);
    }
  }
  for (size_t i = inFlight_.size(); i-- > 0;) {
    if (inFlight_[i].window == window) return (*inFlight_[i].own)();
  }
  return 0;
}

int64_t MessageHooks::Dispatch(int64_t window, uint32_t msg, uint64_t wParam, int64_t lParam,
                               const std::function<int64_t()>& own) {
  inFlight_.push_back({window, &own});
  const int64_t result = CallFrom(hooks_.size(), window, msg, wParam, lParam);
  inFlight_.pop_back();
  return result;
}

int64_t MessageHooks::CallPrevious(HookHandle hook, int64_t hWnd, uint32_t uMsg, uint64_t wParam,
                                   int64_t lParam) {
  const auto it = std::find_if(hooks_.begin(), hooks_.end(),
                               [hook](const Hook& h) { return h.handle == hook; });
  // A hook removed while the message was inside it passes on to the window.
  const size_t below = it == hooks_.end() ? 0 : static_cast<size_t>(it - hooks_.begin());
  return CallFrom(below, hWnd, uMsg, wParam, lParam);
}

}  // namespace tarvex
