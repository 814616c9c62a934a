// The common-controls library, version 6 (visual styles), started once the
// window is up rather than at start: under Wine loading it costs about 17 ms,
// and nothing in front at start needs it (the about page's labels are user32's
// own). Version 6 comes from the manifest in resource 2, activated on the
// calling thread for the rest of its life, so every control, message box and
// file dialog made on it afterwards has the visual styles.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace tarvex {

// The functions the program takes from the library; null where it is missing.
struct CommonControls {
  decltype(&ImageList_Create) imageListCreate = nullptr;
  decltype(&ImageList_ReplaceIcon) imageListReplaceIcon = nullptr;
};

// Activates version 6 (once), loads the library and registers its classes.
// Idempotent and cheap once done; call it on the windows' thread before making
// a control of the library or a dialog. Without the manifest (a program that
// lacks resource 2) the library's default version is used.
const CommonControls& UseCommonControls();

// MessageBoxW with the box's buttons in the visual style.
int StyledMessageBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type);

}  // namespace tarvex
