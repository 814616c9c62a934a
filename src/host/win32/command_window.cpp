// The gradient button's window: input forwarding, region and click reporting.
#include "command_window.h"

#include <utility>

#include "platform/win32/wide_text.h"
#include "platform/win32/window_region_win32.h"

namespace tarvex {
namespace {

int16_t Narrow(int v) { return static_cast<int16_t>(v); }
float AsFloat(int v) { return static_cast<float>(v); }

}  // namespace

CommandWindow::CommandWindow(std::string name)
    : name_(std::move(name)), button_(*this, *this, this) {}

CommandWindow::~CommandWindow() = default;

HWND CommandWindow::CreateLoaded(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                                 const PropertyBag& bag) {
  HWND hwnd = Create(instance, parent, id, bounds);
  if (!hwnd) return nullptr;
  button_.ReadProperties(bag);
  button_.HandleResize();
  SyncWindowText();
  return hwnd;
}

void CommandWindow::SetDisplayAsDefault(bool isDefault) {
  displayAsDefault_ = isDefault;
  button_.HandlePaint();
}

void CommandWindow::SetControlEnabled(bool enabled) {
  if (Handle()) EnableWindow(Handle(), enabled ? TRUE : FALSE);
}

void CommandWindow::SetWindowShape(const WindowShape& shape) {
  if (!Handle()) return;
  if (UniqueRegion region = CreateRegionWithCuts(shape.size, shape.cuts)) {
    SetWindowRegion(Handle(), std::move(region), true);
  }
}

void CommandWindow::DeleteWindowShape() {
  if (Handle() && IsWindow(Handle())) SetWindowRgn(Handle(), nullptr, FALSE);
}

void CommandWindow::ImageChanged() {
  if (Handle()) {
    // The image is current: the WM_PAINT this causes only shows it.
    if (GetUpdateRect(Handle(), nullptr, FALSE) == FALSE) imageCurrent_ = true;
    InvalidateRect(Handle(), nullptr, FALSE);
  }
  SyncWindowText();
}

void CommandWindow::SyncWindowText() {
  if (!Handle() || shownCaption_ == button_.Caption()) return;
  shownCaption_ = button_.Caption();
  SetWindowTextW(Handle(), Utf8ToWide(shownCaption_).c_str());
}

void CommandWindow::OnMouseMove(int button, int shift, int x, int y) {
  button_.HandleMouseMove(Narrow(button), Narrow(shift), AsFloat(x), AsFloat(y));
}

void CommandWindow::OnMouseDown(int button, int shift, int x, int y) {
  if (button == kMouseLeft) leftPress_ = LeftPress::kSingle;
  button_.HandleMouseDown(Narrow(button), Narrow(shift), AsFloat(x), AsFloat(y));
}

void CommandWindow::OnMouseUp(int button, int shift, int x, int y) {
  button_.HandleMouseUp(Narrow(button), Narrow(shift), AsFloat(x), AsFloat(y));
  if (button != kMouseLeft) return;
  // A click is a left press on the button released over it, as for a push
  // button. The second press of a double-click acts as a press only, and a
  // release after a press elsewhere is no click either.
  const LeftPress press = leftPress_;
  leftPress_ = LeftPress::kNone;
  RECT client{};
  GetClientRect(Handle(), &client);
  const POINT at{x, y};
  if (press == LeftPress::kSingle && PtInRect(&client, at)) button_.HandleClick();
}

void CommandWindow::OnDblClick() {
  if (GetKeyState(VK_LBUTTON) < 0) leftPress_ = LeftPress::kDouble;
  button_.HandleDoubleClick();
}

void CommandWindow::OnKeyDown(int keyCode, int shift) {
  button_.HandleKeyDown(Narrow(keyCode), Narrow(shift));
}

void CommandWindow::OnKeyPress(int keyAscii) { button_.HandleKeyPress(Narrow(keyAscii)); }

void CommandWindow::OnKeyUp(int keyCode, int shift) {
  button_.HandleKeyUp(Narrow(keyCode), Narrow(shift));
}

void CommandWindow::OnFocus(bool gained) {
  if (gained) {
    button_.HandleGotFocus();
  } else {
    button_.HandleLostFocus();
  }
}

void CommandWindow::OnSize(int, int) { button_.HandleResize(); }

void CommandWindow::OnTimer(int id) { button_.HandleTimer(id); }

bool CommandWindow::OnRawMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_PAINT:
      // An exposed window repaints the current state; a paint the button asked
      // for shows the face it drew (a drag's pressed face is not the state).
      if (!imageCurrent_) button_.HandlePaint();
      imageCurrent_ = false;
      return false;
    case WM_GETDLGCODE: {
      // Arrows and space belong to the button (it moves the focus itself), and
      // so do Enter and Esc: its KeyDown and KeyUp see them, not the dialog
      // manager's default and cancel buttons.
      *result = DLGC_WANTARROWS | DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      if (key != nullptr && (key->message == WM_KEYDOWN || key->message == WM_KEYUP) &&
          (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE)) {
        *result |= DLGC_WANTMESSAGE;
      }
      return true;
    }
    default:
      return false;
  }
}

void CommandWindow::Click() {
  if (HWND parent = GetParent(Handle())) {
    const int id = GetDlgCtrlID(Handle());
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Handle()));
  }
  if (extra_) extra_->Click();
}

void CommandWindow::KeyDown(int16_t k, int16_t s) { if (extra_) extra_->KeyDown(k, s); }
void CommandWindow::KeyPress(int16_t k) { if (extra_) extra_->KeyPress(k); }
void CommandWindow::KeyUp(int16_t k, int16_t s) { if (extra_) extra_->KeyUp(k, s); }
void CommandWindow::MouseDown(int16_t b, int16_t s, float x, float y) {
  if (extra_) extra_->MouseDown(b, s, x, y);
}
void CommandWindow::MouseMove(int16_t b, int16_t s, float x, float y) {
  if (extra_) extra_->MouseMove(b, s, x, y);
}
void CommandWindow::MouseUp(int16_t b, int16_t s, float x, float y) {
  if (extra_) extra_->MouseUp(b, s, x, y);
}
void CommandWindow::MouseOut() { if (extra_) extra_->MouseOut(); }

}  // namespace tarvex
