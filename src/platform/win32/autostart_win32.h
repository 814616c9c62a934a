// AutoStartStore over the registry: HKEY_LOCAL_MACHINE's Run key, opened with
// RegCreateKeyA (create if missing) for each call and closed before it returns.
#pragma once

#include "platform/autostart.h"

namespace tarvex {

class Win32AutoStartStore final : public AutoStartStore {
 public:
  bool SetRunValue(std::string_view name, std::string_view dataAnsi) override;
  bool DeleteRunValue(std::string_view name) override;
};

}  // namespace tarvex
