// The window a control under test lives in, and the one message pump of the
// Windows-side tests: pump until a condition holds within a bound, or for a
// bound when a test proves that something does not happen.
#pragma once

#include <windows.h>

#include <functional>

namespace tarvex {

// A form's own handling ahead of dispatch (access keys, dialog keys); true
// when it used the message.
using PreDispatch = std::function<bool(MSG&)>;

// Runs this thread's message loop until `done` holds or `ms` pass; whether it held.
bool PumpUntil(const std::function<bool()>& done, DWORD ms, const PreDispatch& pre = {});
// Runs the message loop for `ms`: the bound after which a test asserts the state.
inline void PumpFor(DWORD ms, const PreDispatch& pre = {}) { (void)PumpUntil([] { return false; }, ms, pre); }

// A visible top-level window with the button face behind it and no behaviour
// of its own, at (x, y) with the given client size; destroyed with the object.
class HostWindow {
 public:
  HostWindow(const wchar_t* title, int x, int y, int clientWidth, int clientHeight,
             DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND Handle() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace tarvex
