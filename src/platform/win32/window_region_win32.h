// Window regions for shaped controls: a rectangle with smaller rectangles cut
// out of it (CreateRectRgn + CombineRgn RGN_DIFF), handed to a window with
// SetWindowRgn. Coordinates are the window's client pixels.
#pragma once

#include <windows.h>

#include <vector>

#include "common/geometry.h"
#include "platform/win32/unique_handle.h"

namespace tarvex {

// (0, 0, size) less every rectangle in `cuts`; empty if GDI could not make it.
UniqueRegion CreateRegionWithCuts(Size size, const std::vector<Rect>& cuts);

// Gives `window` the region (the system then owns it and deletes the region it
// replaces), redrawing when asked. On failure the region is deleted here.
bool SetWindowRegion(HWND window, UniqueRegion region, bool redraw);

}  // namespace tarvex
