// The platform's open-file dialog (GetOpenFileNameW) for OpenFileRequest.
#pragma once

#include "platform/open_file_dialog.h"

namespace tarvex {

class Win32OpenFileDialog final : public OpenFileDialog {
 public:
  std::optional<std::string> Show(const OpenFileRequest& request) override;
};

}  // namespace tarvex
