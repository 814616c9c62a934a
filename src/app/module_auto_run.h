// ModuleAutoRun: the "Tarvex_CN" value in the per-machine Run list, whose data
// is the executable's full path. Every failure is silent.
#pragma once

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

  void AddAutoRun();
  void RemoveAutoRun();

  // The executable's directory, "\", its base name and ".exe" (UTF-8).
  std::string RunValueData() const;

 private:
  AutoStartStore& store_;
  FileSystem& files_;
  const CodePage& codePage_;
};

}  // namespace tarvex
