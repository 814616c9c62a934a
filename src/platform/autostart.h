// The per-machine auto-start list: values under HKEY_LOCAL_MACHINE
// "Software\Microsoft\Windows\CurrentVersion\Run", the key opened with
// create-if-missing semantics for every call and closed before it returns.
#pragma once

#include <string>
#include <string_view>

namespace tarvex {

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class AutoStartStore {
 public:
  virtual ~AutoStartStore() = default;
  // Sets value `name` to `dataAnsi` as REG_SZ (stored with its terminating
  // NUL). Whether every step succeeded; callers ignore it.
  virtual bool SetRunValue(std::string_view name, std::string_view dataAnsi) = 0;
  // Deletes value `name`; whether it succeeded.
  virtual bool DeleteRunValue(std::string_view name) = 0;
};

}  // namespace tarvex
