// The platform services of the settings, engine and history on Linux, gathered
// for the program: the X11 foreground and scheduling, the XDG settings file and
// autostart entry, UTF-8 as the narrow code page, the clock, Qt's dialogs and
// the files.
#pragma once

#include "platform/clock.h"
#include "platform/linux/file_system_linux.h"
#include "platform/linux/load_counters_linux.h"
#include "platform/linux/process_linux.h"
#include "platform/linux/utf8_code_page.h"
#include "platform/linux/xdg_desktop.h"
#include "qt_platform.h"

namespace tarvex {

// The time of day as the user's locale writes it (strftime's %X).
class LocaleClock final : public Clock {
 public:
  std::string TimeOfDayText() override;
};

struct LinuxPlatform {
  LinuxProcessPlatform process;
  XdgProfileStore profile;
  XdgAutoStartStore autoStart;
  Utf8CodePage codePage;
  LocaleClock clock;
  QtDialogs dialogs;
  LinuxFileSystem files;
  LinuxLoadCounters counters;
};

}  // namespace tarvex
