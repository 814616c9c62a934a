// Private-profile (INI) file access with the Windows semantics: sections and
// keys matched without case, blanks around a value dropped, one matching pair
// of quotes around a value dropped, a write replacing the value in place or
// appending key, section or file. Implemented over kernel32 and, portably, by
// IniFile (platform/portable/ini_file.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The whole value of (section, key) in the file at `path` (UTF-8 path), in
  // the file's bytes (ANSI code page), up to its first NUL; nullopt when no
  // character comes back: the file, the section or the key is missing, the
  // value is empty, or the file cannot be read. No buffer limit is applied
  // here: the caller cuts to its own size.
  virtual std::optional<std::string> ReadString(const std::string& path, std::string_view section,
                                                std::string_view key) = 0;
  // Writes `value` (ANSI bytes) as the key's value; whether the platform
  // reported success.
  virtual bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                           std::string_view value) = 0;

  // Writes made between HoldWrites and ReleaseWrites may reach their files
  // together at the release, one rewrite for many keys; reads in between see
  // them, and a held write reports only that it was taken. Where a write is
  // no dearer than that, the two do nothing. A store may also read each file
  // once while held.
  virtual void HoldWrites() {}
  // Whether the held writes reached their files.
  virtual bool ReleaseWrites() { return true; }
};

}  // namespace tarvex
