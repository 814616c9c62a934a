// Rectangle-minus-rectangles window regions.
#include "platform/win32/window_region_win32.h"

namespace tarvex {

HRGN CreateRegionWithCuts(Size size, const std::vector<Rect>& cuts) {
  HRGN region = CreateRectRgn(0, 0, size.width, size.height);
  if (!region) return nullptr;
  for (const Rect& cut : cuts) {
    HRGN piece = CreateRectRgn(cut.left, cut.top, cut.right, cut.bottom);
    if (!piece) continue;
    CombineRgn(region, region, piece, RGN_DIFF);
    DeleteObject(piece);
  }
  return region;
}

bool SetWindowRegion(HWND window, HRGN region, bool redraw) {
  if (SetWindowRgn(window, region, redraw ? TRUE : FALSE) != 0) return true;
  if (region) DeleteObject(region);
  return false;
}

}  // namespace tarvex
