// The built-in test font: glyphs are solid boxes (see builtin_text_engine.h).
#include "platform/raster/builtin_text_engine.h"

#include <algorithm>

#include "platform/surface.h"

namespace tarvex {
namespace {

constexpr uint32_t ToDib(Rgb c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }

// Fills x0..x1-1, y0..y1-1 clipped to `clip` (already within the pixels).
void Box(uint32_t* px, int32_t stride, const Rect& clip, int32_t x0, int32_t y0, int32_t x1,
         int32_t y1, uint32_t dib) {
  x0 = std::max(x0, clip.left);
  y0 = std::max(y0, clip.top);
  x1 = std::min(x1, clip.right);
  y1 = std::min(y1, clip.bottom);
  for (int32_t y = y0; y < y1; ++y)
    for (int32_t x = x0; x < x1; ++x) px[static_cast<size_t>(y) * stride + x] = dib;
}

}  // namespace

int32_t BuiltinTextEngine::DrawText(std::string& text, Rect& r, uint32_t flags, const FontDesc&,
                                    Rgb color, uint32_t* pixels, int32_t width, int32_t height) {
  TextLayout layout = LayOutText(text, r, flags, metrics_);
  Rect clip{0, 0, width, height};
  if (layout.clipped) {
    clip.left = std::max(clip.left, layout.clip.left);
    clip.top = std::max(clip.top, layout.clip.top);
    clip.right = std::min(clip.right, layout.clip.right);
    clip.bottom = std::min(clip.bottom, layout.clip.bottom);
  }
  if (pixels == nullptr || clip.IsEmpty()) return layout.height;
  const uint32_t dib = ToDib(color);
  const bool showPrefix = (flags & dt::kHidePrefix) == 0;
  const bool prefixOnly = (flags & dt::kPrefixOnly) != 0;
  for (const PlacedGlyph& g : layout.glyphs) {
    if (!prefixOnly && g.ch > U' ' && g.ch != 0x7F) {
      Box(pixels, width, clip, g.x + 1, g.y + kBuiltinGlyphTop, g.x + g.width - 1,
          g.y + kBuiltinGlyphBottom + 1, dib);
    }
    if (g.underline && showPrefix) {
      Box(pixels, width, clip, g.x, g.y + kBuiltinUnderlineRow, g.x + g.width,
          g.y + kBuiltinUnderlineRow + 1, dib);
    }
  }
  return layout.height;
}

Size BuiltinTextEngine::MeasureText(std::string_view text, const FontDesc&) {
  return MeasureTextPlain(text, metrics_);
}

}  // namespace tarvex
