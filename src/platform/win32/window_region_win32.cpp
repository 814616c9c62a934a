// Rectangle-minus-rectangles window regions.
#include "platform/win32/window_region_win32.h"

namespace tarvex {

UniqueRegion CreateRegionWithCuts(Size size, const std::vector<Rect>& cuts) {
  UniqueRegion region(CreateRectRgn(0, 0, size.width, size.height));
  if (!region) return region;
  for (const Rect& cut : cuts) {
    UniqueRegion piece(CreateRectRgn(cut.left, cut.top, cut.right, cut.bottom));
    if (piece) CombineRgn(region.Get(), region.Get(), piece.Get(), RGN_DIFF);
  }
  return region;
}

bool SetWindowRegion(HWND window, UniqueRegion region, bool redraw) {
  if (SetWindowRgn(window, region.Get(), redraw ? TRUE : FALSE) == 0) return false;
  (void)region.Release();  // the window's now
  return true;
}

}  // namespace tarvex
