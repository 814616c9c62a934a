// The window behind a portable control (see control_window.h). The window
// procedure only unpacks messages; the control decides everything.
#include "control_window.h"

#include <windowsx.h>

#include <cwctype>
#include <vector>

#include "platform/send_keys.h"
#include "platform/win32/unique_handle.h"

namespace tarvex {
namespace {

constexpr wchar_t kClassName[] = L"TarvexControl";

bool RegisterControlClass(HINSTANCE instance) {
  WNDCLASSEXW probe{};
  probe.cbSize = sizeof(probe);
  if (GetClassInfoExW(instance, kClassName, &probe)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;  // the image covers everything: no CS_HREDRAW/VREDRAW flicker
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0;
}

int ButtonsHeld(WPARAM wParam) {
  return ((wParam & MK_LBUTTON) ? kLeftButton : 0) | ((wParam & MK_RBUTTON) ? kRightButton : 0) |
         ((wParam & MK_MBUTTON) ? kMiddleButton : 0);
}

}  // namespace

int CurrentShiftState() {
  return ((GetKeyState(VK_SHIFT) < 0) ? kShiftMask : 0) |
         ((GetKeyState(VK_CONTROL) < 0) ? kCtrlMask : 0) |
         ((GetKeyState(VK_MENU) < 0) ? kAltMask : 0);
}

ControlWindow* ControlWindow::FromHandle(HWND hwnd) {
  wchar_t name[32] = {};
  if (hwnd == nullptr || GetClassNameW(hwnd, name, 32) == 0 || wcscmp(name, kClassName) != 0) {
    return nullptr;
  }
  return reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

namespace {

// Whether some of the window can be on screen: it and its parents shown, and
// not moved out of its parents, where the tab control parks the controls of
// the pages not in front. All of it is read in the process.
bool CanBeSeen(HWND hwnd) {
  RECT seen{};
  GetWindowRect(hwnd, &seen);
  for (HWND window = hwnd;;) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0) return false;
    if ((style & WS_CHILD) == 0) return true;
    window = GetParent(window);
    if (window == nullptr) return true;
    RECT bounds{};  // the parent's frame: a little wider than its client area, never narrower
    GetWindowRect(window, &bounds);
    if (!IntersectRect(&seen, &seen, &bounds)) return false;
  }
}

struct AccessKeySearch {
  HWND root;
  wchar_t key;
  ControlWindow* found = nullptr;
};

bool HoldsKey(const std::string& keys, wchar_t key) {
  for (char c : keys) {
    const auto k = static_cast<unsigned char>(c);
    if (k < 0x80 && towupper(k) == towupper(key)) return true;
  }
  return false;
}

BOOL CALLBACK FindAccessKeyOwner(HWND hwnd, LPARAM data) {
  auto& search = *reinterpret_cast<AccessKeySearch*>(data);
  ControlWindow* control = ControlWindow::FromHandle(hwnd);
  if (control == nullptr || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) ||
      !HoldsKey(control->AccessKeys(), search.key)) {
    return TRUE;
  }
  RECT r{}, client{}, inside{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(HWND_DESKTOP, search.root, reinterpret_cast<POINT*>(&r), 2);
  GetClientRect(search.root, &client);
  if (!IntersectRect(&inside, &r, &client)) return TRUE;
  search.found = control;
  return FALSE;
}

}  // namespace

bool RouteAccessKey(HWND root, const MSG& msg) {
  if (root == nullptr || (msg.hwnd != root && !IsChild(root, msg.hwnd))) return false;
  if (msg.message == WM_CHAR) {
    HWND focus = GetFocus();
    if (focus == nullptr) return false;
    const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, msg.wParam,
                                      reinterpret_cast<LPARAM>(&msg));
    if ((code & (DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTMESSAGE)) != 0) return false;
  } else if (msg.message != WM_SYSCHAR) {
    return false;
  }
  const auto key = static_cast<wchar_t>(msg.wParam);
  if (key <= L' ' || key >= 0x80) return false;
  AccessKeySearch search{root, key};
  EnumChildWindows(root, FindAccessKeyOwner, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return false;
  search.found->AccessKeyPressed(static_cast<int>(key));
  return true;
}

ControlWindow::ControlWindow() : canvas_(0, 0) {}

ControlWindow::~ControlWindow() {
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);  // no more calls into a dying object
    DestroyWindow(hwnd_);
  }
}

HWND ControlWindow::Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                           DWORD style, const wchar_t* text) {
  if (!RegisterControlClass(instance)) return nullptr;
  HWND hwnd = CreateWindowExW(0, kClassName, text, style | WS_CHILD | WS_CLIPSIBLINGS,
                              bounds.left, bounds.top, bounds.right - bounds.left,
                              bounds.bottom - bounds.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (hwnd == nullptr) return nullptr;
  hwnd_ = hwnd;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWindow::WindowProc));
  RECT rc{};
  GetClientRect(hwnd, &rc);
  canvas_.Resize(rc.right, rc.bottom);
  return hwnd;
}

void ControlWindow::PropertyChanged(std::string_view name) {
  if (onPropertyChanged_) onPropertyChanged_(name);
}

bool ControlWindow::InSight() const { return hwnd_ != nullptr && CanBeSeen(hwnd_); }

void ControlWindow::Refresh() {
  // A window out of sight (its page not in front, the main window in the
  // tray) is repainted from the canvas when it comes into view.
  if (!InSight()) return;
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
}

Size ControlWindow::ClientSize() const { return {canvas_.Width(), canvas_.Height()}; }

void ControlWindow::StartTimer(int id, uint32_t intervalMs) {
  if (hwnd_ != nullptr) SetTimer(hwnd_, static_cast<UINT_PTR>(id), intervalMs, nullptr);
}

void ControlWindow::StopTimer(int id) {
  if (hwnd_ != nullptr) KillTimer(hwnd_, static_cast<UINT_PTR>(id));
}

bool ControlWindow::HasFocus() const { return hwnd_ != nullptr && GetFocus() == hwnd_; }

int64_t ControlWindow::WindowHandle() const {
  return static_cast<int64_t>(reinterpret_cast<intptr_t>(hwnd_));
}

std::optional<Point> ControlWindow::CursorPosition() const {
  POINT p{};
  if (hwnd_ == nullptr || !GetCursorPos(&p) || !ScreenToClient(hwnd_, &p)) return std::nullopt;
  return Point{p.x, p.y};
}

void ControlWindow::SendKeys(std::string_view keys) { SendKeyString(keys); }

bool SendKeyString(std::string_view keys) {
  std::optional<std::vector<KeyStroke>> strokes = ParseSendKeys(keys);
  if (!strokes) return false;
  std::vector<INPUT> inputs;
  auto key = [&inputs](WORD vk, WORD scan, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags;
    inputs.push_back(in);
  };
  for (const KeyStroke& k : *strokes) {
    if (k.shift) key(VK_SHIFT, 0, 0);
    if (k.ctrl) key(VK_CONTROL, 0, 0);
    if (k.alt) key(VK_MENU, 0, 0);
    if (k.virtualKey != 0) {
      key(k.virtualKey, 0, 0);
      key(k.virtualKey, 0, KEYEVENTF_KEYUP);
    } else if (k.character < 0x10000) {
      key(0, static_cast<WORD>(k.character), KEYEVENTF_UNICODE);
      key(0, static_cast<WORD>(k.character), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
    if (k.alt) key(VK_MENU, 0, KEYEVENTF_KEYUP);
    if (k.ctrl) key(VK_CONTROL, 0, KEYEVENTF_KEYUP);
    if (k.shift) key(VK_SHIFT, 0, KEYEVENTF_KEYUP);
  }
  if (inputs.empty()) return true;
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
         inputs.size();
}

LRESULT CALLBACK ControlWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  return self->HandleMessage(msg, wParam, lParam);
}

bool ControlWindow::HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  const int shift = ((wParam & MK_SHIFT) ? kShiftMask : 0) |
                    ((wParam & MK_CONTROL) ? kCtrlMask : 0) |
                    ((GetKeyState(VK_MENU) < 0) ? kAltMask : 0);
  int button = 0;
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: button = kLeftButton; break;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: button = kRightButton; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: button = kMiddleButton; break;
    default: break;
  }
  switch (msg) {
    case WM_MOUSEMOVE:
      OnMouseMove(ButtonsHeld(wParam), shift, x, y);
      return true;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      // like a hosted control: a press captures the mouse and takes the focus
      if ((GetWindowLongW(hwnd_, GWL_STYLE) & WS_TABSTOP) != 0 && GetFocus() != hwnd_)
        SetFocus(hwnd_);
      if (buttonsDown_ == 0) SetCapture(hwnd_);
      buttonsDown_ |= button;
      OnMouseDown(button, shift, x, y);
      return true;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
      buttonsDown_ &= ~button;
      if (buttonsDown_ == 0 && GetCapture() == hwnd_) ReleaseCapture();
      OnMouseUp(button, shift, x, y);
      return true;
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
      OnDblClick();
      return true;
    default:
      return false;
  }
}

LRESULT ControlWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (OnRawMessage(msg, wParam, lParam, &result)) return result;
  if (msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK && HandleMouse(msg, wParam, lParam)) return 0;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the persistent image covers the whole client area
    case WM_PAINT: {
      OnBeforePaint();
      const UniquePaintDc paint = BeginPainting(hwnd_);
      canvas_.BlitTo(paint.Get().dc, paint.Get().paint.rcPaint);
      return 0;
    }
    case WM_SIZE:
      canvas_.Resize(LOWORD(lParam), HIWORD(lParam));
      OnSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_TIMER:
      OnTimer(static_cast<int>(wParam));
      return 0;
    case WM_SETFOCUS:
      OnFocus(true);
      return 0;
    case WM_KILLFOCUS:
      OnFocus(false);
      return 0;
    case WM_CAPTURECHANGED:
      buttonsDown_ = 0;
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(static_cast<int>(wParam), CurrentShiftState());
      return 0;
    case WM_KEYUP:
      OnKeyUp(static_cast<int>(wParam), CurrentShiftState());
      return 0;
    case WM_CHAR:
      OnKeyPress(static_cast<int>(wParam));
      return 0;
    default:
      return DefWindowProcW(hwnd_, msg, wParam, lParam);
  }
}

}  // namespace tarvex
