// The main window's gradient buttons as child windows. Each window's text is
// its caption (screen readers and the end-to-end driver read it); a click
// reaches the parent as WM_COMMAND(id, BN_CLICKED), as a push button's would.
#pragma once

#include <windows.h>

#include "button/main_window_buttons.h"

namespace tarvex {

// A hidden child of `parent` configured with the button's stored properties.
HWND CreateCommandButton(HINSTANCE instance, HWND parent, MainWindowButton which, const wchar_t* caption,
                         int id);

}  // namespace tarvex
