// The TabStrip's window, its site and its contained child windows.
#include "tab_window.h"

#include "common/control_error.h"
#include "common/rounding.h"

namespace tarvex {
namespace {

int PixelsOf(int32_t twips) { return RoundHalfEven32(static_cast<double>(twips) / kTwipsPerPixel); }

// The control's errors stop here: a window procedure must not unwind.
template <class F>
void Forward(F&& call) {
  try {
    call();
  } catch (const ControlError&) {
  }
}

}  // namespace

// --- contained child windows ---

std::optional<RECT> HwndChild::RectInTab() const {
  RECT r{};
  if (!IsWindow(child_) || !GetWindowRect(child_, &r)) return std::nullopt;
  MapWindowPoints(HWND_DESKTOP, tab_, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool HwndChild::MoveTo(int x, int y, int width, int height, UINT extraFlags) {
  POINT origin{x, y};
  HWND parent = GetParent(child_);
  if (parent != tab_) MapWindowPoints(tab_, parent, &origin, 1);
  return SetWindowPos(child_, nullptr, origin.x, origin.y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | extraFlags) != 0;
}

bool HwndChild::PlaceShown(const Rect& r, int32_t leftTwips) {
  if (!MoveTo(PixelsOf(leftTwips), r.top, r.Width(), r.Height(), SWP_SHOWWINDOW)) return false;
  leftTwips_ = leftTwips;
  return true;
}

std::optional<int32_t> HwndChild::Left() const {
  const std::optional<RECT> r = RectInTab();
  if (!r) return std::nullopt;
  // The twips last set stand while the window is still where they put it, so
  // shifting back and forth by offsets that are not whole pixels never drifts.
  if (leftTwips_ && PixelsOf(*leftTwips_) == r->left) return leftTwips_;
  return r->left * kTwipsPerPixel;
}

bool HwndChild::SetLeft(int32_t twips) {
  const std::optional<RECT> r = RectInTab();
  if (!r || !MoveTo(PixelsOf(twips), r->top, r->right - r->left, r->bottom - r->top)) return false;
  leftTwips_ = twips;
  return true;
}

bool HwndChild::SetTop(int32_t twips) {
  const std::optional<RECT> r = RectInTab();
  return r && MoveTo(r->left, PixelsOf(twips), r->right - r->left, r->bottom - r->top);
}

bool HwndChild::SetWidth(int32_t twips) {
  const std::optional<RECT> r = RectInTab();
  return r && MoveTo(r->left, r->top, PixelsOf(twips), r->bottom - r->top);
}

bool HwndChild::SetHeight(int32_t twips) {
  const std::optional<RECT> r = RectInTab();
  return r && MoveTo(r->left, r->top, r->right - r->left, PixelsOf(twips));
}

bool HwndChild::SetVisible(bool visible) {
  if (!IsWindow(child_)) return false;
  ShowWindow(child_, visible ? SW_SHOWNA : SW_HIDE);
  return true;
}

// --- the site: ControlSite from the window, the rest from here ---

class TabWindow::Site final : public TabStripSite {
 public:
  explicit Site(TabWindow& w) : w_(w) {}

  bool UserMode() const override { return w_.UserMode(); }
  OleColor AmbientBackColor() const override { return w_.AmbientBackColor(); }
  FontDesc AmbientFont() const override { return w_.AmbientFont(); }
  void PropertyChanged(std::string_view name) override { w_.PropertyChanged(name); }
  Surface& PersistentImage() override { return w_.PersistentImage(); }
  void Refresh() override { w_.Refresh(); }
  bool InSight() const override { return w_.InSight(); }
  Size ClientSize() const override { return w_.ClientSize(); }
  const SystemColors& Colors() const override { return w_.Colors(); }
  void StartTimer(int id, uint32_t intervalMs) override { w_.StartTimer(id, intervalMs); }
  void StopTimer(int id) override { w_.StopTimer(id); }
  bool HasFocus() const override { return w_.HasFocus(); }
  int64_t WindowHandle() const override { return w_.WindowHandle(); }
  std::optional<Point> CursorPosition() const override { return w_.CursorPosition(); }
  void SendKeys(std::string_view keys) override { w_.SendKeys(keys); }
  void SetAccessKeys(std::string_view keys) override { w_.SetAccessKeys(keys); }

  std::vector<ContainedControl*> ContainedControls() override {
    std::vector<ContainedControl*> out;
    for (auto& child : w_.children_) {
      if (IsWindow(child->Handle())) out.push_back(child.get());
    }
    return out;
  }
  int32_t WidthTwips() const override {
    RECT r{};
    GetWindowRect(w_.Handle(), &r);
    return (r.right - r.left) * kTwipsPerPixel;
  }
  void LockWindowUpdate(bool lock) override { ::LockWindowUpdate(lock ? w_.Handle() : nullptr); }
  int64_t ParentWindowHandle() const override {
    return reinterpret_cast<intptr_t>(GetAncestor(w_.Handle(), GA_ROOT));
  }
  int64_t DeviceContext() const override { return 0; }  // painting goes to the DIB
  bool AdoptWindow(int64_t window) override {
    HWND child = reinterpret_cast<HWND>(static_cast<intptr_t>(window));
    return IsWindow(child) && SetParent(child, w_.Handle()) != nullptr;
  }
  bool PlaceWindow(int64_t window, int32_t x, int32_t y, int32_t width, int32_t height) override {
    return SetWindowPos(reinterpret_cast<HWND>(static_cast<intptr_t>(window)), HWND_TOP, x, y,
                        width, height, SWP_SHOWWINDOW) != 0;
  }
  int32_t IconWidth(bool large) const override {
    return GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
  }
  void SetWindowEnabled(bool enabled) override { EnableWindow(w_.Handle(), enabled ? TRUE : FALSE); }

 private:
  TabWindow& w_;
};

// --- the window ---

TabWindow::TabWindow(TabStripEvents& events)
    : events_(events), site_(std::make_unique<Site>(*this)) {
  strip_ = std::make_unique<TabStrip>(*site_, events_,
                                      TabStripServices{&theme_, &subclasser_, &tracking_,
                                                       &fileDialog_});
}

TabWindow::~TabWindow() { strip_.reset(); }

HWND TabWindow::CreateLoaded(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                             const PropertyBag* bag) {
  HWND hwnd = Create(instance, parent, id, bounds,
                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                     L"TabStrip");
  if (hwnd == nullptr) return nullptr;
  try {
    if (bag != nullptr) {
      strip_->ReadProperties(*bag);
    } else {
      strip_->InitProperties();
    }
    strip_->OnShow();
  } catch (const ControlError&) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  return hwnd;
}

void TabWindow::AddToPage(int page, HWND child, const Rect& rectOnPage) {
  if (!IsWindow(child) || Handle() == nullptr) return;
  auto wrapped = std::make_unique<HwndChild>(child, Handle());
  // Where `page` in front would put it, set apart like the rest of its tab.
  const int32_t shift = (strip_->ActiveTab() - page) * strip_->State().HiddenOffset;
  wrapped->PlaceShown(rectOnPage, rectOnPage.left * kTwipsPerPixel + shift);
  children_.push_back(std::move(wrapped));
}

void TabWindow::OnAccessKey(int key) {
  int16_t k = static_cast<int16_t>(key);
  Forward([&] { strip_->OnAccessKeyPress(k); });
}

void TabWindow::OnMouseDown(int button, int shift, int x, int y) {
  if (button == kLeftButton) leftDown_ = true;
  Forward([&] { strip_->OnMouseDown(static_cast<int16_t>(button), static_cast<int16_t>(shift),
                                     static_cast<float>(x), static_cast<float>(y)); });
}

void TabWindow::OnMouseMove(int button, int shift, int x, int y) {
  Forward([&] { strip_->OnMouseMove(static_cast<int16_t>(button), static_cast<int16_t>(shift),
                                     static_cast<float>(x), static_cast<float>(y)); });
}

void TabWindow::OnMouseUp(int button, int shift, int x, int y) {
  Forward([&] { strip_->OnMouseUp(static_cast<int16_t>(button), static_cast<int16_t>(shift),
                                   static_cast<float>(x), static_cast<float>(y)); });
  if (button != kLeftButton || !leftDown_) return;
  leftDown_ = false;
  const Size size = ClientSize();
  if (x >= 0 && y >= 0 && x < size.width && y < size.height) {
    Forward([&] { strip_->OnClick(); });
  }
}

// Out of sight the strip's image lags its state; it catches up here.
void TabWindow::OnBeforePaint() {
  Forward([&] { strip_->BeforePaint(); });
}

void TabWindow::OnDblClick() {
  Forward([&] { strip_->OnDblClick(); });
}

void TabWindow::OnKeyDown(int keyCode, int shift) {
  int16_t code = static_cast<int16_t>(keyCode);
  int16_t sh = static_cast<int16_t>(shift);
  Forward([&] { strip_->OnKeyDown(code, sh); });
}

void TabWindow::OnKeyPress(int keyAscii) {
  int16_t key = static_cast<int16_t>(keyAscii);
  Forward([&] { strip_->OnKeyPress(key); });
}

void TabWindow::OnKeyUp(int keyCode, int shift) {
  int16_t code = static_cast<int16_t>(keyCode);
  int16_t sh = static_cast<int16_t>(shift);
  Forward([&] { strip_->OnKeyUp(code, sh); });
}

void TabWindow::OnFocus(bool gained) {
  if (gained) {
    Forward([&] { strip_->OnGotFocus(); });
  } else {
    Forward([&] { strip_->OnLostFocus(); });
  }
}

void TabWindow::OnSize(int /*width*/, int /*height*/) {
  // The persistent image was cleared to the new size: paint it afresh.
  Forward([&] { strip_->Refresh(); });
}

bool TabWindow::OnRawMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
      // Page controls report to the window that owns them, as if they sat on it.
      *result = SendMessageW(GetParent(Handle()), msg, wParam, lParam);
      return true;
    case WM_GETDLGCODE:
      *result = DLGC_WANTARROWS;
      return true;
    case WM_TIMER:
      // The hover timer reaches the control through its hook (before this).
      *result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace tarvex
