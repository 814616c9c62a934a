// ProfileStore over IniText and the standard library's files: the portable
// private-profile file, for hosts without kernel32 and for tests. A read loads
// the whole file; a write loads, edits and writes it back whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace tarvex {

class IniFileStore final : public ProfileStore {
 public:
  std::optional<std::string> ReadString(const std::string& path, std::string_view section,
                                        std::string_view key) override;
  bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) override;
};

// The whole file as bytes; nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace tarvex
