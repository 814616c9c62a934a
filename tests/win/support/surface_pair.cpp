// The GDI-versus-raster fixture (see surface_pair.h).
#include "win/support/surface_pair.h"

#include <cstdlib>
#include <vector>

#include "win/support/pixels.h"

namespace tarvex {

SurfacePair::SurfacePair(int32_t width, int32_t height)
    : width_(width), height_(height), dc_(CreateMemoryDc(nullptr)), raster_(width, height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  dib_.Reset(CreateDIBSection(dc_.Get(), &bi, DIB_RGB_COLORS, &p, nullptr, 0));
  bits_ = static_cast<uint32_t*>(p);
  oldBitmap_ = SelectObject(dc_.Get(), dib_.Get());
  for (int32_t i = 0; i < width * height; ++i) bits_[i] = 0xFFFFFFu;  // white, like the raster
  gdi_ = new GdiSurface(dc_.Get(), width, height);
}

SurfacePair::~SurfacePair() {
  delete gdi_;
  SelectObject(dc_.Get(), oldBitmap_);
}

void SurfacePair::Draw(const std::function<void(Surface&)>& scene) {
  scene(*gdi_);
  GdiFlush();
  scene(raster_);
}

std::string SurfacePair::Compare(const std::string& name) {
  GdiFlush();
  const uint32_t* mine = raster_.Data();
  for (int32_t y = 0; y < height_; ++y) {
    for (int32_t x = 0; x < width_; ++x) {
      const uint32_t e = bits_[y * width_ + x] & 0xFFFFFFu, g = mine[y * width_ + x] & 0xFFFFFFu;
      if (e == g) continue;
      const std::string dir = ArtifactDir();
      CreateDirectoryA(dir.c_str(), nullptr);
      SaveBmp(dir + "\\" + name + "-gdi.bmp", bits_, width_, height_);
      SaveBmp(dir + "\\" + name + "-raster.bmp", mine, width_, height_);
      return PixelMismatch(e, g, x, y);
    }
  }
  return {};
}

std::string ArtifactDir() {
  const char* dir = std::getenv("TARVEX_ARTIFACTS");
  return dir != nullptr && *dir != '\0' ? std::string(dir) : std::string("surface-diff");
}

}  // namespace tarvex
