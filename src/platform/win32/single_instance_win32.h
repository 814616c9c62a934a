// SingleInstance over a named mutex in the user's session: the first copy
// creates it and holds it until it ends; later copies find it existing.
#pragma once

#include <windows.h>

#include "platform/single_instance.h"

namespace tarvex {

class Win32SingleInstance final : public SingleInstance {
 public:
  Win32SingleInstance();
  ~Win32SingleInstance() override;
  Win32SingleInstance(const Win32SingleInstance&) = delete;
  Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

  bool AnotherInstanceRunning() const override { return another_; }

 private:
  HANDLE mutex_ = nullptr;
  bool another_ = false;
};

}  // namespace tarvex
