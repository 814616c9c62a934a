// The gradient button's widget: input forwarding, shape and click reporting.
#include "command_widget.h"

#include <QGuiApplication>
#include <QRegion>

namespace tarvex {
namespace {
int16_t Narrow(int v) { return static_cast<int16_t>(v); }
float AsFloat(int v) { return static_cast<float>(v); }
}  // namespace

CommandWidget::CommandWidget(QWidget* parent, MessageHooks& hooks, std::string name)
    : ControlWidget(parent, hooks), name_(std::move(name)), button_(*this, *this, this) {}

CommandWidget::~CommandWidget() = default;

void CommandWidget::Load(const PropertyBag& bag) {
  button_.ReadProperties(bag);
  button_.HandleResize();
  setAccessibleName(QString::fromStdString(button_.Caption()));
}

void CommandWidget::SetWindowShape(const WindowShape& shape) {
  QRegion region(0, 0, shape.size.width, shape.size.height);
  for (const Rect& cut : shape.cuts) region -= QRegion(cut.left, cut.top, cut.Width(), cut.Height());
  setMask(region);
}

void CommandWidget::ImageChanged() {
  setAccessibleName(QString::fromStdString(button_.Caption()));
  // Drawn inside a paint, the face is shown by that paint: asking for another
  // would have it drawn again, and so on without end.
  if (painting_) return;
  // Shown on the next paint; that paint only shows it.
  imageCurrent_ = true;
  update();
}

void CommandWidget::OnPaint() {
  // An exposed widget repaints the current state; a paint the button asked
  // for shows the face it drew (a drag's pressed face is not the state).
  if (!imageCurrent_) {
    painting_ = true;
    button_.HandlePaint();
    painting_ = false;
  }
  imageCurrent_ = false;
}

void CommandWidget::OnDblClick() {
  if (QGuiApplication::mouseButtons() & Qt::LeftButton) leftPress_ = LeftPress::kDouble;
  button_.HandleDoubleClick();
}

void CommandWidget::OnMouseDown(int button, int shift, int x, int y) {
  if (button == kMouseLeft) leftPress_ = LeftPress::kSingle;
  button_.HandleMouseDown(Narrow(button), Narrow(shift), AsFloat(x), AsFloat(y));
}

void CommandWidget::OnMouseMove(int button, int shift, int x, int y) {
  button_.HandleMouseMove(Narrow(button), Narrow(shift), AsFloat(x), AsFloat(y));
}

void CommandWidget::OnMouseUp(int button, int shift, int x, int y) {
  button_.HandleMouseUp(Narrow(button), Narrow(shift), AsFloat(x), AsFloat(y));
  if (button != kMouseLeft) return;
  // A click is a left press on the button released over it, as for a push
  // button; the second press of a double-click acts as a press only.
  const LeftPress press = leftPress_;
  leftPress_ = LeftPress::kNone;
  if (press == LeftPress::kSingle && rect().contains(x, y)) button_.HandleClick();
}

void CommandWidget::OnKeyDown(int keyCode, int shift) { button_.HandleKeyDown(Narrow(keyCode), Narrow(shift)); }
void CommandWidget::OnKeyPress(int keyAscii) { button_.HandleKeyPress(Narrow(keyAscii)); }
void CommandWidget::OnKeyUp(int keyCode, int shift) { button_.HandleKeyUp(Narrow(keyCode), Narrow(shift)); }

void CommandWidget::OnFocus(bool gained) {
  if (gained) {
    button_.HandleGotFocus();
  } else {
    button_.HandleLostFocus();
  }
}

void CommandWidget::Click() {
  if (onClick_) onClick_();
}

}  // namespace tarvex
