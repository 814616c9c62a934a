// The auto-start lists: values under "Software\Microsoft\Windows\CurrentVersion\Run"
// of HKEY_LOCAL_MACHINE (every user; needs administrator rights) or of
// HKEY_CURRENT_USER (this user). The key is opened with create-if-missing
// semantics for every call and closed before it returns.
#pragma once

#include <string>
#include <string_view>

namespace tarvex {

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

enum class RunScope { kMachine, kUser };

struct RunValueResult {
  bool ok = false;
  std::string errorText;  // the platform's description of the failure, UTF-8
};

class AutoStartStore {
 public:
  virtual ~AutoStartStore() = default;
  // Sets value `name` to `dataAnsi` as REG_SZ (stored with its terminating
  // NUL) in the list of `scope`.
  virtual RunValueResult SetRunValue(RunScope scope, std::string_view name, std::string_view dataAnsi) = 0;
  // Deletes value `name` from the list of `scope`; whether it succeeded.
  virtual bool DeleteRunValue(RunScope scope, std::string_view name) = 0;
};

}  // namespace tarvex
