// The platform services of the settings, engine and history, gathered for the
// program: process queries, the INI file, the Run key, the code page, the
// clock, the dialogs (owned by the main window once it exists) and files.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/profile.h"

namespace tarvex {

class SpinePlatform {
 public:
  SpinePlatform();
  ~SpinePlatform();
  // The window that owns message boxes and the file dialog.
  void SetOwner(HWND owner);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;

 public:
  ProcessPlatform& process;
  ProfileStore& profile;
  AutoStartStore& autoStart;
  const CodePage& codePage;
  Clock& clock;
  Dialogs& dialogs;
  FileSystem& files;
};

}  // namespace tarvex
