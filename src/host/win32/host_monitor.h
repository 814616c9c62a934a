// SystemMonitorState, the load diagram on the status page, as a child window
// sampling every 500 ms from its creation to the end of the program.
#pragma once

#include <windows.h>

#include "host_command_buttons.h"

namespace tarvex {

class MonitorWindow;

// A hidden child of `parent`; nullptr when it cannot be created. The control
// object goes into `owner`, which keeps it as long as the window lives.
MonitorWindow* CreateStateMonitor(HINSTANCE instance, HWND parent, int id, HostedControls& owner);

}  // namespace tarvex
