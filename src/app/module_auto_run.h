// ModuleAutoRun: the "Tarvex_CN" value in a Run list, whose data is the
// executable's full path. The per-machine list needs administrator rights, so
// the per-user list stands in when it cannot be written.
#pragma once

#include <optional>
#include <string>

#include "platform/autostart.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarvex {

inline constexpr char kRunValueName[] = "Tarvex_CN";

class ModuleAutoRun {
 public:
  ModuleAutoRun(AutoStartStore& store, FileSystem& files, const CodePage& codePage)
      : store_(store), files_(files), codePage_(codePage) {}

  // Writes the value per machine, else per user. When neither list takes it,
  // the platform's text of the last failure (UTF-8); nullopt on success.
  [[nodiscard]] std::optional<std::string> AddAutoRun();
  // Removes the value from both lists; a missing value is no failure.
  void RemoveAutoRun();

  // The executable's directory, "\", its base name and ".exe" (UTF-8).
  std::string RunValueData() const;

 private:
  AutoStartStore& store_;
  FileSystem& files_;
  const CodePage& codePage_;
};

}  // namespace tarvex
