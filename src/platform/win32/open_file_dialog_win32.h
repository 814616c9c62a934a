// The platform's open-file dialog (GetOpenFileNameW) for OpenFileRequest.
#pragma once

#include "platform/open_file_dialog.h"

struct tagOFNW;  // OPENFILENAMEW

namespace tarvex {

// GetOpenFileNameW, with comdlg32 loaded the first time a dialog opens: the
// library and what it brings cost some 0.8 MB that most runs never use.
// False when the user cancels or the library cannot be had.
bool GetOpenFileNameLoaded(tagOFNW* ofn);

class Win32OpenFileDialog final : public OpenFileDialog {
 public:
  std::optional<std::string> Show(const OpenFileRequest& request) override;
};

}  // namespace tarvex
