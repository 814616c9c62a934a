// ModuleAutoRun: the Run value follows the executable wherever it lies.
#include "app/module_auto_run.h"

namespace tarvex {

std::string ModuleAutoRun::RunValueData() const {
  return files_.ExecutableDirectory() + "\\" + files_.ExecutableBaseName() + ".exe";
}

void ModuleAutoRun::AddAutoRun() {
  // A failure (no right to write the per-machine key) is silent by design.
  (void)store_.SetRunValue(kRunValueName, codePage_.Utf8ToAnsi(RunValueData()));
}

void ModuleAutoRun::RemoveAutoRun() { (void)store_.DeleteRunValue(kRunValueName); }

}  // namespace tarvex
