// GetOpenFileNameW over an OpenFileRequest; texts UTF-8 at the interface.
#include "platform/win32/open_file_dialog_win32.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "platform/win32/common_controls_win32.h"
#include "platform/win32/system_function.h"
#include "platform/win32/wide_text.h"

namespace tarvex {

bool GetOpenFileNameLoaded(OPENFILENAMEW* ofn) {
  UseCommonControls();  // the dialog's controls in the visual style
  static const auto function =
      SystemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  return function != nullptr && function(ofn) != FALSE;
}

std::optional<std::string> Win32OpenFileDialog::Show(const OpenFileRequest& request) {
  if (request.capacity < 2) return std::nullopt;
  // The filter's pairs are NUL-separated; the list itself ends in two NULs.
  std::wstring filter = Utf8ToWide(request.filter);
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  const std::wstring initialDir = Utf8ToWide(request.initialDir);
  const std::wstring title = Utf8ToWide(request.title);
  std::vector<wchar_t> file(request.capacity, L'\0');
  std::vector<wchar_t> fileTitle(request.capacity, L'\0');

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = reinterpret_cast<HWND>(static_cast<intptr_t>(request.owner));
  ofn.hInstance = GetModuleHandleW(nullptr);
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = request.capacity;
  ofn.lpstrFileTitle = fileTitle.data();
  ofn.nMaxFileTitle = request.capacity;
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = title.c_str();
  ofn.Flags = request.flags;
  if (!GetOpenFileNameLoaded(&ofn)) return std::nullopt;
  return WideToUtf8(std::wstring_view(file.data()));
}

}  // namespace tarvex
