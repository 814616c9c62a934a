// RasterSurface: text (delegated to the text engine, which draws straight into
// the pixels) and pictures (nearest-neighbour scaling as StretchBlt does in
// COLORONCOLOR mode; TransparentBlt leaves out the mask colour).
#include <algorithm>

#include "platform/raster/raster_state.h"

namespace tarvex {
namespace {

// Source index for destination index d of n, scaling a span of `src` to `n`:
// the source pixel under the destination pixel's centre.
int32_t SourceIndex(int64_t d, int64_t n, int64_t src) {
  return static_cast<int32_t>(((2 * d + 1) * src) / (2 * n));
}

template <class Keep>
void Blit(RasterSurface::State& s, const Picture& pic, int32_t x, int32_t y, int32_t w, int32_t h,
          Keep keep) {
  if (pic.type == PictureType::None || pic.width <= 0 || pic.height <= 0 || w <= 0 || h <= 0)
    return;
  if (pic.pixels.size() < static_cast<size_t>(pic.width) * static_cast<size_t>(pic.height)) return;
  const int64_t y0 = std::max<int64_t>(y, 0), y1 = std::min<int64_t>(int64_t{y} + h, s.height);
  const int64_t x0 = std::max<int64_t>(x, 0), x1 = std::min<int64_t>(int64_t{x} + w, s.width);
  for (int64_t dy = y0; dy < y1; ++dy) {
    const int32_t sy = SourceIndex(dy - y, h, pic.height);
    uint32_t* row = s.Row(static_cast<int32_t>(dy));
    for (int64_t dx = x0; dx < x1; ++dx) {
      const int32_t sx = SourceIndex(dx - x, w, pic.width);
      if (!pic.Opaque(sx, sy)) continue;
      const Rgb c = pic.At(sx, sy) & 0xFFFFFFu;
      if (keep(c)) row[dx] = RgbToDib(c);
    }
  }
}

}  // namespace

int32_t RasterSurface::DrawText(std::string& text, Rect& r, uint32_t flags) {
  TextEngine& engine = s_->Text();
  engine.BeginText();
  int32_t h = engine.DrawText(text, r, flags, s_->font, s_->textColor, s_->px, s_->width,
                              s_->height);
  engine.EndText();
  return h;
}

Size RasterSurface::MeasureText(std::string_view text) {
  return s_->Text().MeasureText(text, s_->font);
}

void RasterSurface::DrawPicture(const Picture& picture, int32_t x, int32_t y,
                                std::optional<int32_t> width, std::optional<int32_t> height) {
  Blit(*s_, picture, x, y, width.value_or(picture.width), height.value_or(picture.height),
       [](Rgb) { return true; });
}

void RasterSurface::DrawTransparent(const Picture& picture, int32_t x, int32_t y, int32_t width,
                                    int32_t height, Rgb maskColor) {
  const Rgb mask = maskColor & 0xFFFFFFu;
  Blit(*s_, picture, x, y, width, height, [mask](Rgb c) { return c != mask; });
}

}  // namespace tarvex
