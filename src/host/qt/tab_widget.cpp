// The TabStrip's widget, its site and its page widgets (see tab_widget.h).
#include "tab_widget.h"

#include "common/control_error.h"
#include "common/rounding.h"

namespace tarvex {
namespace {

int PixelsOf(int32_t twips) { return RoundHalfEven32(static_cast<double>(twips) / kTwipsPerPixel); }

// The control's errors stop here: an event handler must not unwind into Qt.
template <class F>
void Forward(F&& call) {
  try {
    call();
  } catch (const ControlError&) {
  }
}

}  // namespace

// --- page widgets ---

std::optional<QRect> WidgetChild::RectInTab() const {
  if (!child_) return std::nullopt;
  const QRect g = child_->geometry();
  const QPoint origin = child_->parentWidget() == tab_ ? QPoint(0, 0) : tab_->pos();
  return g.translated(-origin);
}

bool WidgetChild::Place(const Rect& r) {
  if (!child_) return false;
  const QPoint origin = child_->parentWidget() == tab_ ? QPoint(0, 0) : tab_->pos();
  child_->setGeometry(r.left + origin.x(), r.top + origin.y(), r.Width(), r.Height());
  return true;
}

std::optional<int32_t> WidgetChild::Left() const {
  const auto r = RectInTab();
  if (!r) return std::nullopt;
  // The twips last set stand while the widget is still where they put it, so
  // shifting back and forth by offsets that are not whole pixels never drifts.
  if (leftTwips_ && PixelsOf(*leftTwips_) == r->left()) return leftTwips_;
  return r->left() * kTwipsPerPixel;
}

bool WidgetChild::SetLeft(int32_t twips) {
  const auto r = RectInTab();
  if (!r || !Place({PixelsOf(twips), r->top(), PixelsOf(twips) + r->width(), r->bottom() + 1})) return false;
  leftTwips_ = twips;
  return true;
}

bool WidgetChild::SetTop(int32_t twips) {
  const auto r = RectInTab();
  return r && Place({r->left(), PixelsOf(twips), r->right() + 1, PixelsOf(twips) + r->height()});
}

bool WidgetChild::SetWidth(int32_t twips) {
  const auto r = RectInTab();
  return r && Place({r->left(), r->top(), r->left() + PixelsOf(twips), r->bottom() + 1});
}

bool WidgetChild::SetHeight(int32_t twips) {
  const auto r = RectInTab();
  return r && Place({r->left(), r->top(), r->right() + 1, r->top() + PixelsOf(twips)});
}

bool WidgetChild::SetVisible(bool visible) {
  if (!child_) return false;
  child_->setVisible(visible);
  return true;
}

// --- the site: ControlSite from the widget, the rest from here ---

class TabWidget::Site final : public TabStripSite {
 public:
  explicit Site(TabWidget& w) : w_(w) {}

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
      if (child->Widget() != nullptr) out.push_back(child.get());
    }
    return out;
  }
  int32_t WidthTwips() const override { return w_.width() * kTwipsPerPixel; }
  void LockWindowUpdate(bool lock) override {
    if (QWidget* top = w_.window()) top->setUpdatesEnabled(!lock);
  }
  int64_t ParentWindowHandle() const override { return HandleOf(w_.window()); }
  int64_t DeviceContext() const override { return 0; }  // painting goes to the image
  bool AdoptWindow(int64_t window) override {
    QWidget* child = Find(window);
    if (child == nullptr) return false;
    child->setParent(&w_);
    return true;
  }
  bool PlaceWindow(int64_t window, int32_t x, int32_t y, int32_t width, int32_t height) override {
    QWidget* child = Find(window);
    if (child == nullptr) return false;
    child->setGeometry(x, y, width, height);
    child->raise();
    child->show();
    return true;
  }
  int32_t IconWidth(bool large) const override { return large ? 32 : 16; }
  void SetWindowEnabled(bool enabled) override { w_.setEnabled(enabled); }

 private:
  // Only the strip's own page widgets are windows it may move.
  QWidget* Find(int64_t window) const {
    for (auto& child : w_.children_) {
      if (child->WindowHandle() == window) return child->Widget();
    }
    return nullptr;
  }
  TabWidget& w_;
};

// --- the widget ---

TabWidget::TabWidget(QWidget* parent, MessageHooks& hooks, TabWidgetEvents events)
    : ControlWidget(parent, hooks), events_(std::move(events)), site_(std::make_unique<Site>(*this)) {
  strip_ = std::make_unique<TabStrip>(*site_, static_cast<TabStripEvents&>(*this),
                                      TabStripServices{&theme_, &Hooks(), &Hooks(), nullptr});
}

TabWidget::~TabWidget() { strip_.reset(); }

bool TabWidget::Load(const PropertyBag* bag) {
  try {
    if (bag != nullptr) {
      strip_->ReadProperties(*bag);
    } else {
      strip_->InitProperties();
    }
    strip_->OnShow();
  } catch (const ControlError&) {
    return false;
  }
  return true;
}

void TabWidget::AddToPage(int page, QWidget* child, const Rect& rectOnPage) {
  if (child == nullptr) return;
  auto wrapped = std::make_unique<WidgetChild>(child, this);
  wrapped->Place(rectOnPage);
  // Placed as if `page` were in front, then set apart like the rest of its tab.
  const int32_t shift = (strip_->ActiveTab() - page) * strip_->State().HiddenOffset;
  wrapped->SetLeft(rectOnPage.left * kTwipsPerPixel + shift);
  wrapped->SetVisible(true);
  children_.push_back(std::move(wrapped));
}

void TabWidget::AccessKeyPressed(int key) {
  int16_t k = static_cast<int16_t>(key);
  Forward([&] { strip_->OnAccessKeyPress(k); });
}

void TabWidget::OnMouseDown(int button, int shift, int x, int y) {
  if (button == kLeftButton) leftDown_ = true;
  Forward([&] { strip_->OnMouseDown(static_cast<int16_t>(button), static_cast<int16_t>(shift),
                                     static_cast<float>(x), static_cast<float>(y)); });
}

void TabWidget::OnMouseMove(int button, int shift, int x, int y) {
  Forward([&] { strip_->OnMouseMove(static_cast<int16_t>(button), static_cast<int16_t>(shift),
                                     static_cast<float>(x), static_cast<float>(y)); });
}

void TabWidget::OnMouseUp(int button, int shift, int x, int y) {
  Forward([&] { strip_->OnMouseUp(static_cast<int16_t>(button), static_cast<int16_t>(shift),
                                   static_cast<float>(x), static_cast<float>(y)); });
  if (button != kLeftButton || !leftDown_) return;
  leftDown_ = false;
  const Size size = ClientSize();
  if (x >= 0 && y >= 0 && x < size.width && y < size.height) Forward([&] { strip_->OnClick(); });
}

void TabWidget::OnDblClick() { Forward([&] { strip_->OnDblClick(); }); }

void TabWidget::OnKeyDown(int keyCode, int shift) {
  int16_t code = static_cast<int16_t>(keyCode), sh = static_cast<int16_t>(shift);
  Forward([&] { strip_->OnKeyDown(code, sh); });
}

void TabWidget::OnKeyPress(int keyAscii) {
  int16_t key = static_cast<int16_t>(keyAscii);
  Forward([&] { strip_->OnKeyPress(key); });
}

void TabWidget::OnKeyUp(int keyCode, int shift) {
  int16_t code = static_cast<int16_t>(keyCode), sh = static_cast<int16_t>(shift);
  Forward([&] { strip_->OnKeyUp(code, sh); });
}

void TabWidget::OnFocus(bool gained) {
  if (gained) {
    Forward([&] { strip_->OnGotFocus(); });
  } else {
    Forward([&] { strip_->OnLostFocus(); });
  }
}

void TabWidget::OnSize(int, int) {
  // The image was cut or grown to the new size: paint it afresh.
  if (strip_) Forward([&] { strip_->Refresh(); });
}

void TabWidget::OnPaint() {
  if (strip_) Forward([&] { strip_->BeforePaint(); });
}

void TabWidget::MouseDown(int16_t, int16_t, float, float) {
  if (events_.mouseDown) events_.mouseDown();
}

void TabWidget::MouseMove(int16_t, int16_t, float, float) {
  if (events_.mouseMove) events_.mouseMove();
}

}  // namespace tarvex
