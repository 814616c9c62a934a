// The test host window and the message pump.
#include "win/support/host_window.h"

namespace tarvex {
namespace {

constexpr wchar_t kHostClass[] = L"TarvexTestHost";

bool RegisterHostClass() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kHostClass;
  return RegisterClassW(&wc) != 0;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD ms, const PreDispatch& pre) {
  const DWORD end = GetTickCount() + ms;
  MSG msg;
  for (;;) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (pre && pre(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    const LONG left = static_cast<LONG>(end - GetTickCount());
    if (left <= 0) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left < 10 ? left : 10), QS_ALLINPUT);
  }
}

HostWindow::HostWindow(const wchar_t* title, int x, int y, int clientWidth, int clientHeight, DWORD style) {
  static const bool registered = RegisterHostClass();
  (void)registered;
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustWindowRect(&r, style, FALSE);
  hwnd_ = CreateWindowW(kHostClass, title, style, x, y, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
}

HostWindow::~HostWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

}  // namespace tarvex
