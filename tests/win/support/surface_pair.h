// The differential test's fixture: the same scene drawn through GDI (on a DIB
// section, the oracle) and through the raster, compared pixel by pixel.
#pragma once

#include <windows.h>
#undef DrawText  // keep the surface member's name (see unique_handle.h)

#include <functional>
#include <string>

#include "platform/raster/raster_surface.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/gdi_surface.h"

namespace tarvex {

class SurfacePair {
 public:
  SurfacePair(int32_t width, int32_t height);
  ~SurfacePair();
  SurfacePair(const SurfacePair&) = delete;
  SurfacePair& operator=(const SurfacePair&) = delete;

  // Draws the scene on both surfaces.
  void Draw(const std::function<void(Surface&)>& scene);
  // "" when every pixel matches; else "expected RGB(..) got RGB(..) at (x, y)"
  // (expected = GDI) and both images are saved as <name>-gdi.bmp / -raster.bmp.
  std::string Compare(const std::string& name);

  GdiSurface& Gdi() { return *gdi_; }
  RasterSurface& Raster() { return raster_; }

 private:
  int32_t width_;
  int32_t height_;
  UniqueMemoryDc dc_;
  UniqueBitmap dib_;
  HGDIOBJ oldBitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
  GdiSurface* gdi_ = nullptr;  // owned; destroyed before the DIB is deselected
  RasterSurface raster_;
};

// Where mismatch images go: %TARVEX_ARTIFACTS% or ".\surface-diff".
std::string ArtifactDir();

}  // namespace tarvex
