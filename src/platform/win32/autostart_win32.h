// AutoStartStore over the registry: the Run key of HKEY_LOCAL_MACHINE or of
// HKEY_CURRENT_USER, opened with RegCreateKeyA (create if missing) for each
// call and closed before it returns. Failure texts are the system's own.
#pragma once

#include "platform/autostart.h"

namespace tarvex {

class Win32AutoStartStore final : public AutoStartStore {
 public:
  RunValueResult SetRunValue(RunScope scope, std::string_view name, std::string_view dataAnsi) override;
  bool DeleteRunValue(RunScope scope, std::string_view name) override;
};

}  // namespace tarvex
