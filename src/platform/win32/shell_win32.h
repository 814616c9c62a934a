// Shell over shell32: the notification-area icon in the first NOTIFYICONDATAA
// layout and opening addresses with ShellExecute.
#pragma once

#include "platform/shell.h"

namespace tarvex {

class Win32Shell final : public Shell {
 public:
  bool NotifyIcon(NotifyIconAction action, const NotifyIconRecord& record) override;
  bool OpenAddress(WindowHandle owner, std::string_view address) override;
};

}  // namespace tarvex
