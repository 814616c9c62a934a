// Stand-in while the monitor's control window is not part of the build: a
// sunken empty frame where the diagram goes.
#include "host_monitor.h"

namespace tarvex {

HWND CreateStateMonitor(HINSTANCE instance, HWND parent) {
  return CreateWindowExW(WS_EX_STATICEDGE, L"STATIC", L"", WS_CHILD | SS_BLACKRECT, 0, 0, 441, 89, parent,
                         nullptr, instance, nullptr);
}

}  // namespace tarvex
