// How the program paints: a 32-bit top-down DIB section in a memory DC, the
// raster drawing straight into its pixels and GDI drawing only the text onto
// them (GdiFlush between the two), blitted to a window as one image.
#pragma once

#include <windows.h>
#undef DrawText  // keep the surface member's name (see unique_handle.h)

#include <cstdint>

#include "platform/raster/raster_surface.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/gdi_text_engine.h"

namespace tarvex {

class DibCanvas {
 public:
  // An image of width x height pixels (each at least 0), white.
  DibCanvas(int32_t width, int32_t height);
  ~DibCanvas();
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  // New size; what overlaps the old image is kept, the rest becomes `fill`.
  void Resize(int32_t width, int32_t height, Rgb fill = 0xFFFFFF);

  RasterSurface& Surface() { return raster_; }
  HDC Dc() const { return dc_.Get(); }  // the DIB is selected here (not owned by callers)
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Copies the (src) rectangle of the image to `target` at the same place.
  void BlitTo(HDC target, const RECT& area) const;

 private:
  UniqueMemoryDc dc_;
  UniqueBitmap dib_;
  HGDIOBJ oldBitmap_ = nullptr;
  uint32_t* bits_ = nullptr;  // owned by dib_
  int32_t width_ = 0;
  int32_t height_ = 0;
  GdiTextEngine text_;
  RasterSurface raster_;
};

}  // namespace tarvex
