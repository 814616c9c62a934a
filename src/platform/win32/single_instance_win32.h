// SingleInstance over a named mutex in the user's session: the first copy
// creates it and holds it until it ends; later copies find it existing.
#pragma once

#include <windows.h>

#include "platform/single_instance.h"
#include "platform/win32/unique_handle.h"

namespace tarvex {

class Win32SingleInstance final : public SingleInstance {
 public:
  Win32SingleInstance();
  Win32SingleInstance(const Win32SingleInstance&) = delete;
  Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

  bool AnotherInstanceRunning() const override { return another_; }

 private:
  UniqueHandle mutex_;  // held until the program ends
  bool another_ = false;
};

}  // namespace tarvex
