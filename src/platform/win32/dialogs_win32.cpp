// The message box and the open-file dialog.
#include "platform/win32/dialogs_win32.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "platform/win32/common_controls_win32.h"
#include "platform/win32/open_file_dialog_win32.h"
#include "platform/win32/wide_text.h"

namespace tarvex {
namespace {

UINT IconFlags(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::kExclamation: return MB_ICONEXCLAMATION;
    case MessageBoxIcon::kQuestion: return MB_ICONQUESTION;
    case MessageBoxIcon::kInformation: return MB_ICONINFORMATION;
    case MessageBoxIcon::kError: return MB_ICONERROR;
    case MessageBoxIcon::kNone: break;
  }
  return 0;
}

}  // namespace

MessageBoxResult Win32Dialogs::ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon icon,
                                              MessageBoxButtons buttons) {
  const UINT type = IconFlags(icon) | (buttons == MessageBoxButtons::kYesNo ? MB_YESNO : MB_OK);
  const int answer = StyledMessageBox(reinterpret_cast<HWND>(static_cast<intptr_t>(owner_)), Utf8ToWide(text).c_str(),
                                      Utf8ToWide(title).c_str(), type);
  switch (answer) {
    case IDOK: return MessageBoxResult::kOk;
    case IDYES: return MessageBoxResult::kYes;
    case IDNO: return MessageBoxResult::kNo;
    default: return MessageBoxResult::kCancel;
  }
}

std::string Win32Dialogs::ChooseOpenFile(const OpenFileOptions& options) {
  // "description\0pattern\0...\0\0"
  std::wstring filter;
  for (const FileFilter& f : options.filters) {
    filter += Utf8ToWide(f.description);
    filter += L'\0';
    filter += Utf8ToWide(f.pattern);
    filter += L'\0';
  }
  filter += L'\0';
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring initial = Utf8ToWide(options.initialFileName);
  initial.copy(file.data(), std::min(initial.size(), file.size() - 1));
  const std::wstring extension = Utf8ToWide(options.defaultExtension);
  const std::wstring title = Utf8ToWide(options.title);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = reinterpret_cast<HWND>(static_cast<intptr_t>(owner_));
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  // A name may be new (the history is saved through this dialog); the
  // program's current directory stays where it was.
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameLoaded(&ofn)) return {};
  return WideToUtf8(file.data());
}

}  // namespace tarvex
