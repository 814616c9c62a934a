// The main window's platform on Qt: WindowPlatform over the one top-level
// widget (the program's window procedure becomes a switch between the tray
// module's procedure and the window's own handling), the tray icon as the
// Shell's notify icon, links through xdg-open, and the standard dialogs.
#pragma once

#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

#include <functional>
#include <memory>

#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "message_hooks.h"

namespace tarvex {

// A window's procedure: message, wParam, lParam -> result.
using Procedure = std::function<int64_t(uint32_t, uint64_t, int64_t)>;

class QtWindowPlatform final : public WindowPlatform {
 public:
  // `program` runs the program's procedure (the tray module's); `canHide`
  // tells whether a hidden window could come back (a tray shows its icon).
  QtWindowPlatform(Procedure program, std::function<bool()> canHide)
      : program_(std::move(program)), canHide_(std::move(canHide)) {}

  // The main window and its own handling of the messages sent to it.
  void SetMainWindow(QWidget* window, Procedure own) {
    window_ = window;
    own_ = std::move(own);
  }
  // Delivers a message to the main window through whichever procedure is in front.
  int64_t Deliver(uint32_t message, uint64_t wParam, int64_t lParam);
  bool ProgramProcedureInstalled() const { return installed_; }

  bool IsVisible(WindowHandle window) const override;
  void Show(WindowHandle window) override;
  void Hide(WindowHandle window) override;
  int64_t Send(WindowHandle window, uint32_t message, uint64_t wParam, int64_t lParam) override;
  bool SetForeground(WindowHandle window) override;
  bool SetTopmost(WindowHandle window, bool on) override;
  void ReleaseMouseCapture() override;
  uint32_t RegisterMessage(std::string_view name) override;
  int64_t WindowIcon(WindowHandle window) const override;
  WindowProcAddress InstallProgramWindowProc(WindowHandle window) override;
  void SetWindowProc(WindowHandle window, WindowProcAddress procedure) override;
  int64_t CallProcedure(WindowProcAddress procedure, WindowHandle window, uint32_t message,
                        uint64_t wParam, int64_t lParam) override;
  std::optional<int> TrackPopupMenu(WindowHandle owner, const std::vector<MenuEntry>& entries) override;

 private:
  QWidget* Of(WindowHandle window) const;

  QPointer<QWidget> window_;
  Procedure own_;
  Procedure program_;
  std::function<bool()> canHide_;
  bool installed_ = false;
  uint32_t nextMessage_ = 0xC000;  // registered messages, as Windows numbers them
};

// The notify icon as a QSystemTrayIcon; its activations come back as the
// record's callback message with the mouse message Windows would send.
class QtShell final : public Shell {
 public:
  explicit QtShell(std::function<void(uint32_t message, int64_t mouseMessage)> callback)
      : callback_(std::move(callback)) {}
  ~QtShell() override;

  bool NotifyIcon(NotifyIconAction action, const NotifyIconRecord& record) override;
  bool OpenAddress(WindowHandle owner, std::string_view address) override;
  // Whether the icon is in a tray now.
  bool IconShown() const;
  QSystemTrayIcon* Icon() const { return icon_.get(); }

 private:
  std::function<void(uint32_t, int64_t)> callback_;
  std::unique_ptr<QSystemTrayIcon> icon_;
  uint32_t callbackMessage_ = 0;
};

// Message boxes and the file dialog, owned by the main window once it exists.
class QtDialogs final : public Dialogs {
 public:
  void SetOwner(QWidget* owner) { owner_ = owner; }
  MessageBoxResult ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon icon,
                                  MessageBoxButtons buttons) override;
  std::string ChooseOpenFile(const OpenFileOptions& options) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace tarvex
