// The GDI-versus-raster fixture (see surface_pair.h).
#include "win/support/surface_pair.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

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
      char msg[160];
      std::snprintf(msg, sizeof msg, "expected RGB(%u,%u,%u) got RGB(%u,%u,%u) at (%d, %d)",
                    (e >> 16) & 0xFF, (e >> 8) & 0xFF, e & 0xFF, (g >> 16) & 0xFF,
                    (g >> 8) & 0xFF, g & 0xFF, x, y);
      const std::string dir = ArtifactDir();
      CreateDirectoryA(dir.c_str(), nullptr);
      SaveBmp(dir + "\\" + name + "-gdi.bmp", bits_, width_, height_);
      SaveBmp(dir + "\\" + name + "-raster.bmp", mine, width_, height_);
      return msg;
    }
  }
  return {};
}

bool SaveBmp(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height) {
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  const DWORD bytes = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  fh.bfType = 0x4D42;  // "BM"
  fh.bfOffBits = sizeof(fh) + sizeof(ih);
  fh.bfSize = fh.bfOffBits + bytes;
  ih.biSize = sizeof(ih);
  ih.biWidth = width;
  ih.biHeight = -height;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  ih.biCompression = BI_RGB;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&ih, sizeof ih, 1, f) == 1 &&
            std::fwrite(pixels, 1, bytes, f) == bytes;
  return std::fclose(f) == 0 && ok;
}

std::string ArtifactDir() {
  const char* dir = std::getenv("TARVEX_ARTIFACTS");
  return dir != nullptr && *dir != '\0' ? std::string(dir) : std::string("surface-diff");
}

}  // namespace tarvex
