// A picture as a control property holds it: its kind and its pixels (RGB, row
// major, top row first). The program loads bitmaps and icons into this form so
// the raster and the tests can draw them without an OS handle.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "common/color.h"

namespace tarvex {

enum class PictureType : int16_t { None = 0, Bitmap = 1, Metafile = 2, Icon = 3 };

struct Picture {
  PictureType type = PictureType::Bitmap;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<Rgb> pixels;       // width * height
  std::vector<uint8_t> alpha;    // icons only: 0 = transparent, else opaque; may be empty

  Rgb At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool Opaque(int32_t x, int32_t y) const {
    return alpha.empty() || alpha[static_cast<size_t>(y) * width + x] != 0;
  }
  friend bool operator==(const Picture&, const Picture&) = default;
};

using PicturePtr = std::shared_ptr<const Picture>;

}  // namespace tarvex
