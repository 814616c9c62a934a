// The monitor control's widget (see monitor_widget.h).
#include "monitor_widget.h"

#include <QLocale>
#include <QPainter>

namespace tarvex {

NumberSeparators QtNumberLocale::Separators() const {
  const QLocale locale;
  return {QString(locale.groupSeparator()).toStdString(), QString(locale.decimalPoint()).toStdString()};
}

MonitorWidget::MonitorWidget(QWidget* parent, MessageHooks& hooks, ModuleLoadSampler& sampler)
    : ControlWidget(parent, hooks), monitor_(*this, sampler, locale_, this) {
  setFocusPolicy(Qt::NoFocus);
}

MonitorWidget::~MonitorWidget() { monitor_.Terminate(); }

void MonitorWidget::ApplyFrame(int16_t appearance, int16_t borderStyle) {
  appearance_ = appearance;
  borderStyle_ = borderStyle;
  // The image moves inside the border; the control redraws at its new size.
  SetImageMargin(FrameThicknessPx(appearance, borderStyle));
  update();
}

void MonitorWidget::paintEvent(QPaintEvent* event) {
  ControlWidget::paintEvent(event);
  const int thickness = FrameThicknessPx(appearance_, borderStyle_);
  if (thickness == 0) return;
  QPainter p(this);
  const QRect outer = rect().adjusted(0, 0, -1, -1);
  if (thickness == 1) {
    p.setPen(Qt::black);
    p.drawRect(outer);
    return;
  }
  // The sunken client edge: shadow and dark shadow above left, light below right.
  p.setPen(QColor(0xA0, 0xA0, 0xA0));
  p.drawLine(outer.topLeft(), outer.topRight());
  p.drawLine(outer.topLeft(), outer.bottomLeft());
  p.setPen(QColor(0x69, 0x69, 0x69));
  p.drawLine(outer.left() + 1, outer.top() + 1, outer.right() - 1, outer.top() + 1);
  p.drawLine(outer.left() + 1, outer.top() + 1, outer.left() + 1, outer.bottom() - 1);
  p.setPen(Qt::white);
  p.drawLine(outer.bottomLeft(), outer.bottomRight());
  p.drawLine(outer.topRight(), outer.bottomRight());
  p.setPen(QColor(0xE3, 0xE3, 0xE3));
  p.drawLine(outer.left() + 1, outer.bottom() - 1, outer.right() - 1, outer.bottom() - 1);
  p.drawLine(outer.right() - 1, outer.top() + 1, outer.right() - 1, outer.bottom() - 1);
}

}  // namespace tarvex
