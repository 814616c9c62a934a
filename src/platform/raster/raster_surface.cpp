// RasterSurface: construction, state, pixels, rectangles and the focus frame.
// Lines live in raster_lines.cpp, RoundRect in raster_round_rect.cpp, text and
// pictures in raster_text.cpp.
#include "platform/raster/raster_surface.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/raster/raster_state.h"

namespace tarvex {

RasterSurface::RasterSurface(int32_t width, int32_t height, TextEngine* text)
    : s_(std::make_unique<State>()) {
  s_->text = text;
  Resize(width, height);
}

RasterSurface::RasterSurface(int32_t width, int32_t height, uint32_t* bgraPixels, TextEngine* text)
    : s_(std::make_unique<State>()) {
  s_->text = text;
  s_->width = std::max(0, width);
  s_->height = std::max(0, height);
  s_->px = bgraPixels;
}

RasterSurface::~RasterSurface() = default;

void RasterSurface::Resize(int32_t width, int32_t height) {
  s_->width = std::max(0, width);
  s_->height = std::max(0, height);
  s_->owned.assign(static_cast<size_t>(s_->width) * static_cast<size_t>(s_->height), 0xFFFFFFu);
  s_->px = s_->owned.data();
}

void RasterSurface::Attach(int32_t width, int32_t height, uint32_t* bgraPixels) {
  s_->owned.clear();
  s_->owned.shrink_to_fit();
  s_->width = bgraPixels != nullptr ? std::max(0, width) : 0;
  s_->height = bgraPixels != nullptr ? std::max(0, height) : 0;
  s_->px = bgraPixels;
}

void RasterSurface::SetTextEngine(TextEngine* text) { s_->text = text; }

Rgb RasterSurface::At(int32_t x, int32_t y) const { return GetPixel(x, y); }
const uint32_t* RasterSurface::Data() const { return s_->px; }
int32_t RasterSurface::Width() const { return s_->width; }
int32_t RasterSurface::Height() const { return s_->height; }

void RasterSurface::SetPen(Rgb color) { s_->penDib = RgbToDib(color); }
void RasterSurface::SetBrush(std::optional<Rgb> color) {
  s_->brushDib = color ? std::optional<uint32_t>(RgbToDib(*color)) : std::nullopt;
}
void RasterSurface::SetPenMode(PenMode mode) { s_->mode = mode; }
PenMode RasterSurface::GetPenMode() const { return s_->mode; }
void RasterSurface::SetFont(const FontDesc& font) { s_->font = font; }
void RasterSurface::SetTextColor(Rgb color) { s_->textColor = color & 0xFFFFFFu; }

namespace {

// n pixels of one colour, eight at a time as one block copy (wide stores):
// the compilers' -O2 leaves the plain loop scalar, and every frame starts
// with a clear.
void FillPixels(uint32_t* p, size_t n, uint32_t dib) {
  uint32_t block[8];
  std::fill(block, block + 8, dib);
  for (; n >= 8; n -= 8, p += 8) std::memcpy(p, block, sizeof block);
  for (; n > 0; --n) *p++ = dib;
}

}  // namespace

void RasterSurface::State::Fill(int64_t left, int64_t top, int64_t right, int64_t bottom,
                                uint32_t dib) {
  left = std::max<int64_t>(left, 0);
  top = std::max<int64_t>(top, 0);
  right = std::min<int64_t>(right, width);
  bottom = std::min<int64_t>(bottom, height);
  if (left >= right || top >= bottom) return;
  if (left == 0 && right == width) {  // whole rows are one run of memory
    FillPixels(Row(static_cast<int32_t>(top)), static_cast<size_t>((bottom - top) * width), dib);
    return;
  }
  for (auto y = static_cast<int32_t>(top); y < bottom; ++y) {
    FillPixels(Row(y) + left, static_cast<size_t>(right - left), dib);
  }
}

void RasterSurface::State::PenColumn(int64_t x, int64_t y0, int64_t y1) {
  if (x < 0 || x >= width) return;
  y0 = std::max<int64_t>(y0, 0);
  y1 = std::min<int64_t>(y1, int64_t{height} - 1);
  if (y0 > y1) return;
  uint32_t* p = Row(static_cast<int32_t>(y0)) + x;
  const size_t stride = static_cast<size_t>(width);
  if (mode == PenMode::XorPen) {
    for (int64_t y = y0; y <= y1; ++y, p += stride) *p = (*p ^ penDib) & 0xFFFFFFu;
  } else {
    for (int64_t y = y0; y <= y1; ++y, p += stride) *p = penDib;
  }
}

void RasterSurface::State::PenSpan(int64_t x0, int64_t x1, int64_t y) {
  if (y < 0 || y >= height) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, width);
  if (x0 >= x1) return;
  uint32_t* row = Row(static_cast<int32_t>(y));
  if (mode == PenMode::XorPen) {
    for (int64_t x = x0; x < x1; ++x) row[x] = (row[x] ^ penDib) & 0xFFFFFFu;
  } else {
    FillPixels(row + x0, static_cast<size_t>(x1 - x0), penDib);
  }
}

// FillRect is a pattern blit of right-left by bottom-top pixels. As in GDI, a
// negative extent runs back from the start: left > right covers right+1 .. left.
void RasterSurface::FillRect(const Rect& r, Rgb color) {
  int64_t l = r.left, rt = r.right, t = r.top, b = r.bottom;
  if (l > rt) std::swap(l, rt), ++l, ++rt;
  if (t > b) std::swap(t, b), ++t, ++b;
  s_->Fill(l, t, rt, b, RgbToDib(color));
}

// FrameRect: four one-pixel strips inside r with a solid brush (no pen mode).
void RasterSurface::FrameRect(const Rect& r, Rgb color) {
  if (r.IsEmpty()) return;
  const uint32_t dib = RgbToDib(color);
  const int64_t l = r.left, t = r.top, rt = r.right, b = r.bottom;
  s_->Fill(l, t, rt, t + 1, dib);
  s_->Fill(l, b - 1, rt, b, dib);
  s_->Fill(l, t, l + 1, b, dib);
  s_->Fill(rt - 1, t, rt, b, dib);
}

// Inverts the dotted one-pixel frame inside r as GDI traces it: one closed
// path from the top right corner, leftwards along the top, down the left
// side, right along the bottom and up the right side, each pixel visited once,
// every other one (counting from 0 at the start) inverted. A frame one pixel
// thin visits its pixels twice, so most of it cancels. Drawn twice, the frame
// restores what was there.
void RasterSurface::DrawFocusRect(const Rect& r) {
  if (r.IsEmpty()) return;
  State& s = *s_;
  auto invert = [&s](int64_t x, int64_t y, int64_t pos) {
    if ((pos & 1) == 0 && s.Inside(x, y)) {
      uint32_t& p = s.Row(static_cast<int32_t>(y))[x];
      p = (~p) & 0xFFFFFFu;
    }
  };
  const int64_t l = r.left, t = r.top, rt = int64_t{r.right} - 1, bt = int64_t{r.bottom} - 1;
  const int64_t w = rt - l, h = bt - t;  // segment lengths
  const int64_t xLo = std::max<int64_t>(l, -1), xHi = std::min<int64_t>(rt, s.width);
  const int64_t yLo = std::max<int64_t>(t, -1), yHi = std::min<int64_t>(bt, s.height);
  for (int64_t x = std::max(xLo, l + 1); x <= xHi; ++x) invert(x, t, rt - x);              // top
  for (int64_t y = yLo; y <= std::min(yHi, bt - 1); ++y) invert(l, y, w + (y - t));       // left
  for (int64_t x = xLo; x <= std::min(xHi, rt - 1); ++x) invert(x, bt, w + h + (x - l));  // bottom
  for (int64_t y = std::max(yLo, t + 1); y <= yHi; ++y) invert(rt, y, 2 * w + h + (bt - y));  // right
}

void RasterSurface::Clear(Rgb backColor) {
  s_->Fill(0, 0, s_->width, s_->height, RgbToDib(backColor));
}

void RasterSurface::SetPixel(int32_t x, int32_t y, Rgb color) {
  if (s_->Inside(x, y)) s_->Row(y)[x] = RgbToDib(color);
}

Rgb RasterSurface::GetPixel(int32_t x, int32_t y) const {
  if (!s_->Inside(x, y)) return kInvalidColor;
  return DibToRgb(s_->px[static_cast<size_t>(y) * static_cast<size_t>(s_->width) + x]);
}

}  // namespace tarvex
