// The main window: creation and the event handling that forwards to FormMain
// and the settings handler (see main_window.h).
#include "main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QCursor>

#include <utility>

#include "app/main_window_layout.h"
#include "qt_text_engine.h"
#include "resource_pictures.h"
#include "tarvex_version.h"

namespace tarvex {
namespace {
constexpr uint32_t kWmActivate = 0x0006;
}  // namespace

MainWindow::MainWindow(MessageHooks& hooks, ModuleLoadSampler& sampler)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), hooks_(hooks), sampler_(sampler) {
  // No system caption: the top strip is the caption (dragged, with its own
  // hide and exit buttons).
  setWindowTitle(QStringLiteral("Tarvex v" TARVEX_VERSION_STRING));
  setFixedSize(layout::kClient.width, layout::kClient.height);
  setMouseTracking(true);  // the links' look resets as the mouse leaves them
  setFocusPolicy(Qt::NoFocus);
  strip_ = ResourceBitmap(QStringLiteral(":/strip.bmp"));
  dialogs_.SetOwner(this);
  timerMain_.setInterval(static_cast<int>(kTimerMainIntervalMs));
  QObject::connect(&timerMain_, &QTimer::timeout, [this] {
    if (form_) form_->TimerMain_Timer();
  });

  TabWidgetEvents events;
  events.mouseDown = [this] { if (form_) form_->SSTabMain_MouseDown(); };
  events.mouseMove = [this] { if (form_) form_->SSTabMain_MouseMove(); };
  // Created first, so the page widgets lie above it.
  tabs_ = new TabWidget(this, hooks_, std::move(events));
  tabs_->SetAmbientFont(MainWindowFormFont());
  tabs_->setGeometry(layout::kTab.left, layout::kTab.top, layout::kTab.Width(), layout::kTab.Height());
  const PropertyBag bag = MainWindowTabBag();
  tabs_->Load(&bag);
  CreateControls();

  // The screen's work area centre, as the Windows program starts.
  if (const QScreen* screen = QApplication::primaryScreen()) {
    const QRect work = screen->availableGeometry();
    move(work.x() + (work.width() - width()) / 2, work.y() + (work.height() - height()) / 2);
  }
}

MainWindow::~MainWindow() { timerMain_.stop(); }

void MainWindow::Attach(FormMain* form, SettingsHandler* settings, QtWindowPlatform* windows) {
  form_ = form;
  settings_ = settings;
  windows_ = windows;
}

int64_t MainWindow::OwnProcedure(uint32_t message, uint64_t wParam, int64_t) {
  if ((message == wm::kCommand || message == wm::kSysCommand) && wParam == wm::kScMinimize) {
    if (!isMinimized()) {
      minimizing_ = true;
      showMinimized();
      minimizing_ = false;
    }
  } else if (message == wm::kSysCommand && wParam == wm::kScRestore) {
    showNormal();
    raise();
    activateWindow();
  } else if (message == wm::kNcLButtonDown && wParam == wm::kHtCaption) {
    // The window follows the mouse until the button comes up, as when a caption
    // is dragged. Done here rather than by the window manager: a quick click
    // would leave it moving the window after the button is already up.
    if ((QApplication::mouseButtons() & Qt::LeftButton) != 0 && !dragging_) {
      dragging_ = true;
      dragFrom_ = QCursor::pos() - pos();
      qApp->installEventFilter(this);
    }
  }
  return 0;
}

void MainWindow::AfterFirstPaint(std::function<void()> work) {
  afterFirstPaint_ = std::move(work);
  QTimer::singleShot(1000, this, &MainWindow::RunAfterFirstPaint);
}

void MainWindow::RunAfterFirstPaint() {
  if (afterFirstPaint_) std::exchange(afterFirstPaint_, {})();
}

void MainWindow::paintEvent(QPaintEvent*) {
  HonourUnhintedFaces();  // the first paint comes before any label's text
  QPainter p(this);
  p.fillRect(rect(), QColor(0xEE, 0xF3, 0xF9));
  if (!strip_.isNull()) p.drawImage(0, 0, strip_);
  p.setPen(QColor(0x3A, 0x5F, 0x9E));  // a one-pixel frame: the window has no border
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  // Queued: the children paint and the frame goes to the screen first.
  if (afterFirstPaint_) QTimer::singleShot(0, this, &MainWindow::RunAfterFirstPaint);
}

void MainWindow::mousePressEvent(QMouseEvent*) {
  if (form_) form_->BackgroundMouseDown();
}

void MainWindow::mouseMoveEvent(QMouseEvent*) {
  if (form_) form_->BackgroundMouseMove();
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
  // Alt + an access key of the tab control switches its page, wherever the focus is.
  if ((e->modifiers() & Qt::AltModifier) != 0 && !e->text().isEmpty() && tabs_) {
    const QString keys = QString::fromStdString(tabs_->AccessKeys());
    if (keys.contains(e->text(), Qt::CaseInsensitive)) {
      tabs_->AccessKeyPressed(e->text().at(0).unicode());
      return;
    }
  }
  QWidget::keyPressEvent(e);
}

void MainWindow::closeEvent(QCloseEvent* e) {
  // Whatever asked: the presenter asks the user (or not) and tidies up.
  if (closing_ || !form_ || form_->QueryUnload()) {
    closing_ = true;
    timerMain_.stop();
    e->accept();
    QApplication::quit();
    return;
  }
  e->ignore();
}

void MainWindow::changeEvent(QEvent* e) {
  if (e->type() == QEvent::WindowStateChange && isMinimized() && !minimizing_ && windows_) {
    // Minimised from outside (the taskbar, the window manager): the same request
    // as the hide button's.
    windows_->Deliver(wm::kSysCommand, wm::kScMinimize, 0);
  } else if (e->type() == QEvent::ActivationChange) {
    hooks_.Dispatch(Handle(), kWmActivate, isActiveWindow() ? 1 : 0, 0, [] { return int64_t{0}; });
  }
  QWidget::changeEvent(e);
}

bool MainWindow::focusNextPrevChild(bool next) {
  // The widgets of the other pages are parked outside the window by the tab
  // control; Tab skips them instead of moving the focus out of sight.
  QWidget* start = QApplication::focusWidget();
  QWidget* w = start ? start : this;
  for (int guard = 0; guard < 64; ++guard) {
    w = next ? w->nextInFocusChain() : w->previousInFocusChain();
    if (w == nullptr || w == start) break;
    if (w == this || !isAncestorOf(w) || !w->isVisible() || !w->isEnabled()) continue;
    if ((w->focusPolicy() & Qt::TabFocus) == 0) continue;
    const QRect r(w->mapTo(this, QPoint(0, 0)), w->size());
    if (r.intersects(rect())) {
      w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (dragging_) {
    if (event->type() == QEvent::MouseMove) {
      move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragFrom_);
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
      dragging_ = false;
      qApp->removeEventFilter(this);
    }
  }
  // The two links: hot look on hover, open on click.
  for (LinkLabel which : {LinkLabel::HomePage, LinkLabel::NeedHelp}) {
    if (watched != LinkOf(which).label || !form_) continue;
    if (event->type() == QEvent::MouseMove) form_->LinkMouseMove(which);
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      form_->LinkClick(which);
    }
  }
  // Labels keep their mouse input (see AddLabel).
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      if (qobject_cast<QLabel*>(watched) != nullptr) return true;
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tarvex
