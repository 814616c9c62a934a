// The platform services of the settings, engine and history, gathered for the
// program: process queries, the INI file, the Run key, the code page, the
// clock, the dialogs (owned by the main window once it exists) and files.
#pragma once

#include <windows.h>

#include "platform/win32/autostart_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/code_page_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/process_win32.h"
#include "platform/win32/profile_win32.h"
#include "platform/win32/window_win32.h"

namespace tarvex {

struct SpinePlatform {
  Win32ProcessPlatform process;
  Win32ProfileStore profile;
  Win32AutoStartStore autoStart;
  Win32CodePage codePage;
  Win32Clock clock;
  Win32Dialogs dialogs;
  Win32FileSystem files;

  // The window that owns message boxes and the file dialog.
  void SetOwner(HWND owner) { dialogs.SetOwner(FromHwnd(owner)); }
};

}  // namespace tarvex
