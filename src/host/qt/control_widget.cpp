// The widget behind a portable control (see control_widget.h). Event handlers
// only unpack; the control decides everything.
#include "control_widget.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>

#include "platform/send_keys.h"

namespace tarvex {
namespace {

// The Windows messages the hooks see.
constexpr uint32_t kWmTimer = 0x0113;
constexpr uint32_t kWmMouseMove = 0x0200;
constexpr uint32_t kWmLButtonDown = 0x0201;
constexpr uint32_t kWmLButtonUp = 0x0202;
constexpr uint32_t kWmRButtonDown = 0x0204;
constexpr uint32_t kWmRButtonUp = 0x0205;
constexpr uint32_t kWmMButtonDown = 0x0207;
constexpr uint32_t kWmMButtonUp = 0x0208;
constexpr uint32_t kWmMouseWheel = 0x020A;
constexpr uint32_t kWmMouseLeave = 0x02A3;

struct KeyPair {
  int qt;
  int vk;
};
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},     {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},  {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27}, {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},   {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},     {Qt::Key_Up, 38},     {Qt::Key_Right, 39},   {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
};

int QtKeyOf(int vk) {
  for (const KeyPair& k : kKeys) {
    if (k.vk == vk && k.qt != Qt::Key_Backtab && k.qt != Qt::Key_Enter) return k.qt;
  }
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return vk;
  if (vk >= 112 && vk <= 135) return Qt::Key_F1 + (vk - 112);
  return 0;
}

int ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
  }
}

int ButtonsOf(Qt::MouseButtons b) {
  return ((b & Qt::LeftButton) ? kLeftButton : 0) | ((b & Qt::RightButton) ? kRightButton : 0) |
         ((b & Qt::MiddleButton) ? kMiddleButton : 0);
}

// MK_ flags of the held buttons and keys, as a mouse message's wParam has them.
uint64_t MouseKeyFlags(Qt::MouseButtons b, Qt::KeyboardModifiers m) {
  return ((b & Qt::LeftButton) ? 0x1u : 0u) | ((b & Qt::RightButton) ? 0x2u : 0u) |
         ((m & Qt::ShiftModifier) ? 0x4u : 0u) | ((m & Qt::ControlModifier) ? 0x8u : 0u) |
         ((b & Qt::MiddleButton) ? 0x10u : 0u);
}

int64_t PointParam(int x, int y) {
  return static_cast<int64_t>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                              static_cast<uint16_t>(x));
}

}  // namespace

int VirtualKeyOf(int qtKey) {
  for (const KeyPair& k : kKeys) {
    if (k.qt == qtKey) return k.vk;
  }
  if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
  return 0;
}

int ShiftMaskOf(Qt::KeyboardModifiers m) {
  return ((m & Qt::ShiftModifier) ? kShiftMask : 0) | ((m & Qt::ControlModifier) ? kCtrlMask : 0) |
         ((m & Qt::AltModifier) ? kAltMask : 0);
}

ControlWidget::ControlWidget(QWidget* parent, MessageHooks& hooks)
    : QWidget(parent), hooks_(hooks), raster_(0, 0, nullptr, &text_) {
  setMouseTracking(true);  // moves without a button reach the control, as on Windows
  setAttribute(Qt::WA_OpaquePaintEvent);  // the image covers every pixel
  setFocusPolicy(Qt::StrongFocus);
}

ControlWidget::~ControlWidget() {
  for (const auto& t : timers_) killTimer(t.first);
}

void ControlWidget::PropertyChanged(std::string_view name) {
  if (onPropertyChanged_) onPropertyChanged_(name);
}

void ControlWidget::Refresh() { repaint(); }

void ControlWidget::StartTimer(int id, uint32_t intervalMs) {
  StopTimer(id);  // SetTimer with a known id replaces the timer
  const int qtId = startTimer(static_cast<int>(intervalMs));
  if (qtId != 0) timers_[qtId] = id;
}

void ControlWidget::StopTimer(int id) {
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (it->second == id) {
      killTimer(it->first);
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
}

std::optional<Point> ControlWidget::CursorPosition() const {
  const QPoint p = mapFromGlobal(QCursor::pos());
  return Point{p.x() - margin_, p.y() - margin_};
}

void ControlWidget::SendKeys(std::string_view keys) {
  const auto strokes = ParseSendKeys(keys);
  if (!strokes) return;
  for (const KeyStroke& k : *strokes) {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) return;
    Qt::KeyboardModifiers mods;
    if (k.shift) mods |= Qt::ShiftModifier;
    if (k.ctrl) mods |= Qt::ControlModifier;
    if (k.alt) mods |= Qt::AltModifier;
    int key = k.virtualKey != 0 ? QtKeyOf(k.virtualKey) : 0;
    if (key == Qt::Key_Tab && k.shift) key = Qt::Key_Backtab;
    const QString text = k.virtualKey == 0 ? QString::fromUcs4(&k.character, 1) : QString();
    if (key == 0 && text.isEmpty()) continue;
    // Posted, as SendInput queues: the control's own handler returns first.
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, mods, text));
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, mods, text));
  }
}

void ControlWidget::SetImageMargin(int pixels) {
  margin_ = std::max(0, pixels);
  ResizeImage(width(), height());
  OnSize(imageWidth_, imageHeight_);
}

void ControlWidget::ResizeImage(int width, int height) {
  const int w = std::max(0, width - 2 * margin_), h = std::max(0, height - 2 * margin_);
  if (w == imageWidth_ && h == imageHeight_) return;
  // What overlaps the old image stays; the rest starts white.
  std::vector<uint32_t> next(static_cast<size_t>(w) * static_cast<size_t>(h), 0x00FFFFFFu);
  for (int y = 0; y < std::min(h, imageHeight_); ++y) {
    std::copy_n(pixels_.data() + static_cast<size_t>(y) * imageWidth_, std::min(w, imageWidth_),
                next.data() + static_cast<size_t>(y) * w);
  }
  pixels_ = std::move(next);
  imageWidth_ = w;
  imageHeight_ = h;
  raster_.Attach(w, h, pixels_.data());
}

void ControlWidget::paintEvent(QPaintEvent*) {
  OnPaint();
  QPainter p(this);
  if (imageWidth_ > 0 && imageHeight_ > 0) {
    const QImage image(reinterpret_cast<const uchar*>(pixels_.data()), imageWidth_, imageHeight_,
                       imageWidth_ * 4, QImage::Format_RGB32);
    p.drawImage(margin_, margin_, image);
  }
}

void ControlWidget::resizeEvent(QResizeEvent*) {
  ResizeImage(width(), height());
  OnSize(imageWidth_, imageHeight_);
}

int64_t ControlWidget::Deliver(uint32_t msg, uint64_t wParam, int64_t lParam,
                               const std::function<void()>& own) {
  const std::function<int64_t()> proc = [&own]() -> int64_t {
    if (own) own();
    return 0;
  };
  return hooks_.Dispatch(WindowHandle(), msg, wParam, lParam, proc);
}

void ControlWidget::mousePressEvent(QMouseEvent* e) {
  const int button = ButtonOf(e->button());
  if (button == 0) return;
  const int x = e->position().toPoint().x() - margin_, y = e->position().toPoint().y() - margin_;
  buttonsDown_ |= button;
  const uint32_t msg = button == kLeftButton ? kWmLButtonDown : button == kRightButton ? kWmRButtonDown : kWmMButtonDown;
  Deliver(msg, MouseKeyFlags(e->buttons(), e->modifiers()), PointParam(x, y),
          [&] { OnMouseDown(button, ShiftMaskOf(e->modifiers()), x, y); });
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* e) {
  const int button = ButtonOf(e->button());
  if (button == 0) return;
  const int x = e->position().toPoint().x() - margin_, y = e->position().toPoint().y() - margin_;
  buttonsDown_ &= ~button;
  const uint32_t msg = button == kLeftButton ? kWmLButtonUp : button == kRightButton ? kWmRButtonUp : kWmMButtonUp;
  Deliver(msg, MouseKeyFlags(e->buttons(), e->modifiers()), PointParam(x, y),
          [&] { OnMouseUp(button, ShiftMaskOf(e->modifiers()), x, y); });
}

void ControlWidget::mouseMoveEvent(QMouseEvent* e) {
  const int x = e->position().toPoint().x() - margin_, y = e->position().toPoint().y() - margin_;
  Deliver(kWmMouseMove, MouseKeyFlags(e->buttons(), e->modifiers()), PointParam(x, y),
          [&] { OnMouseMove(ButtonsOf(e->buttons()), ShiftMaskOf(e->modifiers()), x, y); });
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  // Windows turns the second press into the double click alone.
  if (ButtonOf(e->button()) == 0) return;
  buttonsDown_ |= ButtonOf(e->button());
  OnDblClick();
}

void ControlWidget::wheelEvent(QWheelEvent* e) {
  const int delta = std::clamp(e->angleDelta().y(), -32768, 32767);
  const QPoint g = e->globalPosition().toPoint();
  const uint64_t wParam = (static_cast<uint64_t>(static_cast<uint16_t>(delta)) << 16) |
                          MouseKeyFlags(e->buttons(), e->modifiers());
  Deliver(kWmMouseWheel, wParam, PointParam(g.x(), g.y()), nullptr);
}

void ControlWidget::leaveEvent(QEvent*) {
  if (hooks_.TakeLeaveRequest(WindowHandle())) Deliver(kWmMouseLeave, 0, 0, nullptr);
}

void ControlWidget::changeEvent(QEvent* e) {
  // The desktop's colours changed: system colours are read at each paint.
  if (e->type() == QEvent::PaletteChange) update();
  QWidget::changeEvent(e);
}

void ControlWidget::keyPressEvent(QKeyEvent* e) {
  // Alt combinations are system keys on Windows: the control never sees them,
  // the window's access keys do.
  if ((e->modifiers() & Qt::AltModifier) != 0) {
    e->ignore();
    return;
  }
  const int vk = VirtualKeyOf(e->key());
  if (vk != 0) OnKeyDown(vk, ShiftMaskOf(e->modifiers()));
  const QString text = e->text();
  if (!text.isEmpty() && text.at(0).unicode() != 0) {
    OnKeyPress(text.at(0).unicode());
  }
}

void ControlWidget::keyReleaseEvent(QKeyEvent* e) {
  if ((e->modifiers() & Qt::AltModifier) != 0) {
    e->ignore();
    return;
  }
  const int vk = VirtualKeyOf(e->key());
  if (vk != 0) OnKeyUp(vk, ShiftMaskOf(e->modifiers()));
}

void ControlWidget::focusInEvent(QFocusEvent*) { OnFocus(true); }
void ControlWidget::focusOutEvent(QFocusEvent*) { OnFocus(false); }

void ControlWidget::timerEvent(QTimerEvent* e) {
  const auto it = timers_.find(e->timerId());
  if (it == timers_.end()) return;
  const int id = it->second;
  Deliver(kWmTimer, static_cast<uint64_t>(id), 0, [&] { OnTimer(id); });
}

}  // namespace tarvex
