// Window regions for shaped controls: a rectangle with smaller rectangles cut
// out of it (CreateRectRgn + CombineRgn RGN_DIFF), handed to a window with
// SetWindowRgn. Coordinates are the window's client pixels.
#pragma once

#include <windows.h>

#include <vector>

#include "common/geometry.h"

namespace tarvex {

// (0, 0, size) less every rectangle in `cuts`; the caller owns the region
// (nullptr if GDI could not make it).
HRGN CreateRegionWithCuts(Size size, const std::vector<Rect>& cuts);

// Gives `window` the region (the system then owns it and deletes the region it
// replaces), redrawing when asked. On failure the region is deleted here.
bool SetWindowRegion(HWND window, HRGN region, bool redraw);

}  // namespace tarvex
