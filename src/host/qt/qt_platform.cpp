// The main window's platform on Qt (see qt_platform.h).
#include "qt_platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include "platform/linux/xdg_desktop.h"

namespace tarvex {

// --- windows ---

QWidget* QtWindowPlatform::Of(WindowHandle window) const {
  return window_ != nullptr && HandleOf(window_.data()) == window ? window_.data() : nullptr;
}

int64_t QtWindowPlatform::Deliver(uint32_t message, uint64_t wParam, int64_t lParam) {
  if (installed_ && program_) return program_(message, wParam, lParam);
  return own_ ? own_(message, wParam, lParam) : 0;
}

bool QtWindowPlatform::IsVisible(WindowHandle window) const {
  QWidget* w = Of(window);
  return w != nullptr && w->isVisible();
}

void QtWindowPlatform::Show(WindowHandle window) {
  if (QWidget* w = Of(window)) w->show();
}

void QtWindowPlatform::Hide(WindowHandle window) {
  QWidget* w = Of(window);
  if (w == nullptr) return;
  // Without a tray nothing could bring a hidden window back: it stays on the
  // taskbar, minimised.
  if (canHide_ && canHide_()) {
    w->hide();
  } else if (!w->isMinimized()) {
    w->showMinimized();
  }
}

int64_t QtWindowPlatform::Send(WindowHandle window, uint32_t message, uint64_t wParam, int64_t lParam) {
  return Of(window) != nullptr ? Deliver(message, wParam, lParam) : 0;
}

bool QtWindowPlatform::SetForeground(WindowHandle window) {
  QWidget* w = Of(window);
  if (w == nullptr) return false;
  w->raise();
  w->activateWindow();
  return true;
}

bool QtWindowPlatform::SetTopmost(WindowHandle window, bool on) {
  QWidget* w = Of(window);
  if (w == nullptr) return false;
  // A window not made yet takes the flag with it when it is shown.
  if (!w->testAttribute(Qt::WA_WState_Created)) {
    w->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    return true;
  }
  // On the native window, so a shown window stays shown (_NET_WM_STATE_ABOVE).
  if (QWindow* native = w->windowHandle()) {
    native->setFlag(Qt::WindowStaysOnTopHint, on);
    return true;
  }
  return false;
}

void QtWindowPlatform::ReleaseMouseCapture() {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

uint32_t QtWindowPlatform::RegisterMessage(std::string_view) { return nextMessage_++; }

int64_t QtWindowPlatform::WindowIcon(WindowHandle window) const {
  QWidget* w = Of(window);
  return w != nullptr && !w->windowIcon().isNull() ? 1 : 0;
}

// The two procedures a window can have: its own and the program's in front of it.
namespace {
constexpr WindowProcAddress kOwnProcedure = 1;
constexpr WindowProcAddress kProgramProcedure = 2;
}  // namespace

WindowProcAddress QtWindowPlatform::InstallProgramWindowProc(WindowHandle window) {
  if (Of(window) == nullptr) return 0;
  installed_ = true;
  return kOwnProcedure;
}

void QtWindowPlatform::SetWindowProc(WindowHandle window, WindowProcAddress procedure) {
  if (Of(window) != nullptr) installed_ = procedure == kProgramProcedure;
}

int64_t QtWindowPlatform::CallProcedure(WindowProcAddress procedure, WindowHandle, uint32_t message,
                                        uint64_t wParam, int64_t lParam) {
  if (procedure == kProgramProcedure && program_) return program_(message, wParam, lParam);
  return own_ ? own_(message, wParam, lParam) : 0;
}

std::optional<int> QtWindowPlatform::TrackPopupMenu(WindowHandle owner, const std::vector<MenuEntry>& entries) {
  QMenu menu(Of(owner));
  for (const MenuEntry& e : entries) {
    if (e.caption.empty()) {
      menu.addSeparator();
    } else {
      menu.addAction(QString::fromStdString(e.caption))->setData(e.command);
    }
  }
  QAction* chosen = menu.exec(QCursor::pos());
  if (chosen == nullptr) return std::nullopt;
  return chosen->data().toInt();
}

// --- the tray icon and links ---

QtShell::~QtShell() = default;

bool QtShell::NotifyIcon(NotifyIconAction action, const NotifyIconRecord& record) {
  if (action == NotifyIconAction::Delete) {
    if (!icon_ || !icon_->isVisible()) return false;
    // Hidden, not destroyed: this may run inside the icon's own mouse event
    // (its menu's 退出), which Qt finishes after the handler returns.
    icon_->hide();
    return true;
  }
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
  if (!icon_) {
    icon_ = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
      constexpr int64_t kLButtonDblClk = 0x203, kRButtonDown = 0x204;
      const int64_t mouse = reason == QSystemTrayIcon::DoubleClick ? kLButtonDblClk
                            : reason == QSystemTrayIcon::Context   ? kRButtonDown
                                                                   : 0;
      if (mouse == 0) return;
      // Posted, as the shell posts its callback: the menu and the exit question
      // must not run inside the icon's own mouse event.
      const uint32_t message = callbackMessage_;
      QTimer::singleShot(0, icon_.get(), [this, message, mouse] { callback_(message, mouse); });
    });
  }
  callbackMessage_ = record.callbackMessage;
  icon_->setToolTip(QString::fromStdString(record.tip));
  icon_->show();
  return true;
}

bool QtShell::IconShown() const {
  return icon_ && icon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtShell::OpenAddress(WindowHandle, std::string_view address) { return XdgOpen(address); }

// --- dialogs ---

MessageBoxResult QtDialogs::ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon icon,
                                           MessageBoxButtons buttons) {
  QMessageBox box(owner_.data());
  box.setWindowTitle(QString::fromStdString(std::string(title)));
  box.setText(QString::fromStdString(std::string(text)));
  switch (icon) {
    case MessageBoxIcon::kExclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageBoxIcon::kQuestion: box.setIcon(QMessageBox::Question); break;
    case MessageBoxIcon::kInformation: box.setIcon(QMessageBox::Information); break;
    case MessageBoxIcon::kError: box.setIcon(QMessageBox::Critical); break;
    case MessageBoxIcon::kNone: break;
  }
  // The captions a Chinese Windows gives these buttons.
  if (buttons == MessageBoxButtons::kYesNo) {
    QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes ? MessageBoxResult::kYes : MessageBoxResult::kNo;
  }
  box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
  box.exec();
  return MessageBoxResult::kOk;
}

std::string QtDialogs::ChooseOpenFile(const OpenFileOptions& options) {
  QStringList filters;
  for (const FileFilter& f : options.filters) {
    // Qt reads the patterns from the last parentheses of a filter.
    const bool named = f.description.find("(" + f.pattern + ")") != std::string::npos;
    filters << QString::fromStdString(named ? f.description : f.description + " (" + f.pattern + ")");
  }
  // Qt's own dialog: the same on every desktop, and a new file name is allowed.
  QFileDialog dialog(owner_.data(), QString::fromStdString(options.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  if (!options.initialFileName.empty()) dialog.selectFile(QString::fromStdString(options.initialFileName));
  if (!options.defaultExtension.empty()) dialog.setDefaultSuffix(QString::fromStdString(options.defaultExtension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first().toStdString();
}

}  // namespace tarvex
