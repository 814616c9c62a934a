// ModuleAutoRun: the Run value follows the executable wherever it lies.
#include "app/module_auto_run.h"

namespace tarvex {

std::string ModuleAutoRun::RunValueData() const {
  return files_.ExecutableDirectory() + "\\" + files_.ExecutableBaseName() + ".exe";
}

std::optional<std::string> ModuleAutoRun::AddAutoRun() {
  const std::string data = codePage_.Utf8ToAnsi(RunValueData());
  if (store_.SetRunValue(RunScope::kMachine, kRunValueName, data).ok) {
    // A per-user value left from a run without rights would start a second copy.
    (void)store_.DeleteRunValue(RunScope::kUser, kRunValueName);
    return std::nullopt;
  }
  RunValueResult user = store_.SetRunValue(RunScope::kUser, kRunValueName, data);
  if (user.ok) return std::nullopt;
  return user.errorText;
}

void ModuleAutoRun::RemoveAutoRun() {
  (void)store_.DeleteRunValue(RunScope::kMachine, kRunValueName);
  (void)store_.DeleteRunValue(RunScope::kUser, kRunValueName);
}

}  // namespace tarvex
