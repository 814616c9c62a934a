#include "platform/win32/common_controls_win32.h"

namespace tarvex {
namespace {

constexpr WORD kCommonControlsManifest = 2;  // ISOLATIONAWARE_MANIFEST_RESOURCE_ID

// True when version 6 is active on this thread. Never deactivated: the thread
// keeps the context until it ends.
bool ActivateVersion6() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&ActivateVersion6), &self)) {
    return false;
  }
  if (!FindResourceW(self, MAKEINTRESOURCEW(kCommonControlsManifest), MAKEINTRESOURCEW(24))) return false;
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
  request.lpSource = path;
  request.lpResourceName = MAKEINTRESOURCEW(kCommonControlsManifest);
  request.hModule = self;
  const HANDLE context = CreateActCtxW(&request);
  if (context == INVALID_HANDLE_VALUE) return false;
  ULONG_PTR cookie = 0;
  if (ActivateActCtx(context, &cookie)) return true;
  ReleaseActCtx(context);
  return false;
}

template <class Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

CommonControls Start() {
  // With version 6 active the side-by-side redirection picks the library;
  // without it, only the system's copy, never one lying beside the program.
  const HMODULE library = ActivateVersion6() ? LoadLibraryW(L"comctl32.dll")
                                             : LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  CommonControls functions;
  if (library == nullptr) return functions;
  if (const auto init = Export<decltype(&InitCommonControlsEx)>(library, "InitCommonControlsEx")) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    init(&icc);
  }
  functions.imageListCreate = Export<decltype(&ImageList_Create)>(library, "ImageList_Create");
  functions.imageListReplaceIcon = Export<decltype(&ImageList_ReplaceIcon)>(library, "ImageList_ReplaceIcon");
  return functions;
}

}  // namespace

const CommonControls& UseCommonControls() {
  static const CommonControls library = Start();
  return library;
}

int StyledMessageBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
  UseCommonControls();
  return MessageBoxW(owner, text, title, type);
}

}  // namespace tarvex
