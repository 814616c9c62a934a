// The main window's gradient buttons as child windows. Each window's text is
// its caption (screen readers and the end-to-end driver read it); a click
// reaches the parent as WM_COMMAND(id, BN_CLICKED), as a push button's would.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "button/main_window_buttons.h"
#include "control_window.h"
#include "tabctl/main_window_tabs.h"

namespace tarvex {

using HostedControls = std::vector<std::unique_ptr<ControlWindow>>;

// A hidden child of `parent` loaded with the button's stored properties; the
// control object goes into `owner`, which must outlive the window.
HWND CreateCommandButton(HINSTANCE instance, HWND parent, MainWindowButton which, int id,
                         HostedControls& owner);

}  // namespace tarvex
