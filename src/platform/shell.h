// The shell services of the main window: its notification-area icon and opening
// web pages in the user's default browser.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/window.h"

namespace tarvex {

enum class NotifyIconAction : uint32_t { Add = 0, Modify = 1, Delete = 2 };

// The fields of the first-layout NOTIFYICONDATAA record the program fills.
struct NotifyIconRecord {
  WindowHandle window = 0;
  uint32_t id = 0;
  uint32_t flags = 0;            // NIF_MESSAGE | NIF_ICON | NIF_TIP = 7
  uint32_t callbackMessage = 0;
  int64_t icon = 0;              // HICON as an integer
  std::string tip;               // UTF-8; the platform stores it in the ANSI code page
  friend bool operator==(const NotifyIconRecord&, const NotifyIconRecord&) = default;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Shell_NotifyIcon; whether the shell accepted it.
  virtual bool NotifyIcon(NotifyIconAction action, const NotifyIconRecord& record) = 0;
  // ShellExecute "open" on `address`, owned by `owner`, SW_SHOWNORMAL.
  virtual bool OpenAddress(WindowHandle owner, std::string_view address) = 0;
};

}  // namespace tarvex
