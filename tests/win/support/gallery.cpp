// BMP output of gallery pictures.
#include "win/support/gallery.h"

#include <cstdlib>

#include "win/support/pixels.h"

namespace tarvex {

std::string GalleryDir() {
  const char* dir = std::getenv("TARVEX_GALLERY_DIR");
  std::string out = dir != nullptr ? dir : "";
  if (!out.empty() && out.back() != '/' && out.back() != '\\') out += '\\';
  return out;
}

bool WriteBmp(const RasterSurface& s, const std::string& path) {
  return SaveBmp(path, s.Data(), s.Width(), s.Height());
}

}  // namespace tarvex
