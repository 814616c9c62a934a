// ProfileStore over kernel32's private-profile calls. The wide calls are used
// so that a path outside the ANSI code page works; on an ANSI file Windows
// converts values with the ANSI code page both ways, so the bytes are those the
// A calls would see.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/portable/ini_text.h"
#include "platform/profile.h"

namespace tarvex {

class Win32ProfileStore final : public ProfileStore {
 public:
  std::optional<std::string> ReadString(const std::string& path, std::string_view section,
                                        std::string_view key) override;
  bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) override;

  // While held, each file is read once and its keys looked up in memory: each
  // kernel32 read opens and checks the file again (0.16 ms under Wine, and a
  // start reads a dozen keys). Writes still go straight to kernel32.
  void HoldWrites() override { ++holds_; }
  bool ReleaseWrites() override;

 private:
  // The file's text, or nullopt where kernel32 must answer (a Unicode file, a
  // file that cannot be opened for another reason than its absence).
  struct Snapshot {
    std::optional<IniText> text;
  };
  const Snapshot& SnapshotOf(const std::string& path);

  int holds_ = 0;
  std::map<std::string, Snapshot> snapshots_;
};

}  // namespace tarvex
