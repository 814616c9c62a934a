// RasterSurface: text (delegated to the text engine, which draws straight into
// the pixels) and pictures (scaled as GDI's StretchBlt and TransparentBlt do;
// the transparent blit leaves out the mask colour).
#include <algorithm>

#include "platform/raster/raster_state.h"

namespace tarvex {
namespace {

// How GDI scales one axis of a blit: the source pixels [first, last] that
// destination pixel d of n stands for when `src` pixels become n. Growing,
// that is the one pixel under d's centre (halves round down). Shrinking, the
// source pixels falling into d: source s lands in floor((s * n + n / 2) / src).
// Rows shrink from the bottom up, so `fromEnd` mirrors the shrinking rule.
struct SourceRun {
  int32_t first;
  int32_t last;
};

SourceRun SourceRange(int64_t d, int64_t n, int64_t src, bool fromEnd) {
  if (n == src) return {static_cast<int32_t>(d), static_cast<int32_t>(d)};
  if (n > src) {
    const int64_t num = (2 * d + 1) * src - 2 * n;
    const int64_t s = std::clamp<int64_t>(num <= 0 ? 0 : (num + 2 * n - 1) / (2 * n), 0, src - 1);
    return {static_cast<int32_t>(s), static_cast<int32_t>(s)};
  }
  auto lastOf = [&](int64_t e) { return e < 0 ? -1 : ((e + 1) * src - n / 2 - 1) / n; };
  const int64_t e = fromEnd ? n - 1 - d : d;
  int64_t first = lastOf(e - 1) + 1, last = lastOf(e);
  if (fromEnd) std::swap(first, last), first = src - 1 - first, last = src - 1 - last;
  first = std::clamp<int64_t>(first, 0, src - 1);
  last = std::clamp<int64_t>(last, first, src - 1);
  return {static_cast<int32_t>(first), static_cast<int32_t>(last)};
}

// Scales the picture into (x, y, w, h). `andRuns`: a shrunk destination pixel
// is the AND of its source pixels (the transparent blit's BLACKONWHITE);
// otherwise StretchBlt's COLORONCOLOR pick: the last column and, rows going
// bottom up, the first row of the run. `keep` filters the final colour.
template <class Keep>
void Blit(RasterSurface::State& s, const Picture& pic, int32_t x, int32_t y, int32_t w, int32_t h,
          bool andRuns, Keep keep) {
  if (pic.type == PictureType::None || pic.width <= 0 || pic.height <= 0 || w <= 0 || h <= 0)
    return;
  if (pic.pixels.size() < static_cast<size_t>(pic.width) * static_cast<size_t>(pic.height)) return;
  const int64_t y0 = std::max<int64_t>(y, 0), y1 = std::min<int64_t>(int64_t{y} + h, s.height);
  const int64_t x0 = std::max<int64_t>(x, 0), x1 = std::min<int64_t>(int64_t{x} + w, s.width);
  for (int64_t dy = y0; dy < y1; ++dy) {
    const SourceRun ry = SourceRange(dy - y, h, pic.height, true);
    uint32_t* row = s.Row(static_cast<int32_t>(dy));
    for (int64_t dx = x0; dx < x1; ++dx) {
      const SourceRun rx = SourceRange(dx - x, w, pic.width, false);
      Rgb c = 0xFFFFFFu;
      bool opaque = true;
      if (andRuns) {
        for (int32_t sy = ry.first; sy <= ry.last; ++sy)
          for (int32_t sx = rx.first; sx <= rx.last; ++sx) c &= pic.At(sx, sy);
      } else {
        c = pic.At(rx.last, ry.first);
        opaque = pic.Opaque(rx.last, ry.first);
      }
      c &= 0xFFFFFFu;
      if (opaque && keep(c)) row[dx] = RgbToDib(c);
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
  Blit(*s_, picture, x, y, width.value_or(picture.width), height.value_or(picture.height), false,
       [](Rgb) { return true; });
}

void RasterSurface::DrawTransparent(const Picture& picture, int32_t x, int32_t y, int32_t width,
                                    int32_t height, Rgb maskColor) {
  const Rgb mask = maskColor & 0xFFFFFFu;
  Blit(*s_, picture, x, y, width, height, true, [mask](Rgb c) { return c != mask; });
}

}  // namespace tarvex
