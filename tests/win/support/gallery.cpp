// BMP output of gallery pictures.
#include "win/support/gallery.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tarvex {

std::string GalleryDir() {
  const char* dir = std::getenv("TARVEX_GALLERY_DIR");
  std::string out = dir != nullptr ? dir : "";
  if (!out.empty() && out.back() != '/' && out.back() != '\\') out += '\\';
  return out;
}

bool WriteBmp(const RasterSurface& s, const std::string& path) {
  const int32_t w = s.Width(), h = s.Height();
  const int32_t stride = (w * 3 + 3) & ~3;
  const uint32_t dataSize = static_cast<uint32_t>(stride) * static_cast<uint32_t>(h);
  std::vector<uint8_t> file(54 + dataSize, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  file[26] = 1;
  file[28] = 24;
  put32(34, dataSize);
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = &file[54 + static_cast<size_t>(h - 1 - y) * stride];
    for (int32_t x = 0; x < w; ++x) {
      const Rgb c = s.At(x, y);
      row[x * 3 + 0] = static_cast<uint8_t>(BlueOf(c));
      row[x * 3 + 1] = static_cast<uint8_t>(GreenOf(c));
      row[x * 3 + 2] = static_cast<uint8_t>(RedOf(c));
    }
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace tarvex
