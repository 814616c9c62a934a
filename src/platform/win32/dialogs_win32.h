// Dialogs over user32's MessageBoxW and comdlg32's GetOpenFileNameW, owned by
// a window given as an integer handle (0: no owner).
#pragma once

#include <cstdint>

#include "platform/dialogs.h"

namespace tarvex {

class Win32Dialogs final : public Dialogs {
 public:
  explicit Win32Dialogs(int64_t ownerWindow = 0) : owner_(ownerWindow) {}
  void SetOwner(int64_t ownerWindow) { owner_ = ownerWindow; }

  MessageBoxResult ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon icon,
                                  MessageBoxButtons buttons) override;
  std::string ChooseOpenFile(const OpenFileOptions& options) override;

 private:
  int64_t owner_;
};

}  // namespace tarvex
