// The standard dialogs of the speed-up history: the message box and the
// platform's open-file dialog. Owned by the main window in the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

enum class MessageBoxIcon { kNone, kExclamation, kQuestion, kInformation, kError };
enum class MessageBoxButtons { kOk, kYesNo };
// The values are those of the platform (IDOK, IDCANCEL, IDYES, IDNO).
enum class MessageBoxResult { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

struct FileFilter {
  std::string description;  // UTF-8, e.g. "(*.txt)"
  std::string pattern;      // e.g. "*.txt"
};

struct OpenFileOptions {
  std::vector<FileFilter> filters;
  std::string initialFileName;   // empty: none
  std::string defaultExtension;  // empty: a name is used as typed
  std::string title;             // empty: the platform's default title
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Modal message box; texts UTF-8.
  virtual MessageBoxResult ShowMessageBox(std::string_view text, std::string_view title,
                                          MessageBoxIcon icon, MessageBoxButtons buttons) = 0;
  // The platform's open-file dialog; the chosen path (UTF-8), or empty when
  // the user cancelled or the dialog failed.
  virtual std::string ChooseOpenFile(const OpenFileOptions& options) = 0;
};

}  // namespace tarvex
