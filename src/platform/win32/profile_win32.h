// ProfileStore over kernel32's private-profile calls. The wide calls are used
// so that a path outside the ANSI code page works; on an ANSI file Windows
// converts values with the ANSI code page both ways, so the bytes are those the
// A calls would see.
#pragma once

#include "platform/profile.h"

namespace tarvex {

class Win32ProfileStore final : public ProfileStore {
 public:
  std::optional<std::string> ReadString(const std::string& path, std::string_view section,
                                        std::string_view key) override;
  bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) override;
};

}  // namespace tarvex
