// Text measuring and drawing for the raster: DrawTextA's layout rules over some
// font source. The built-in engine has a fixed, deterministic font so tests know
// every glyph's box; the Win32 host supplies one that lets GDI draw into the
// raster's pixels with the program's real fonts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/color.h"
#include "common/font.h"
#include "common/geometry.h"

// A Win32 header included earlier maps DrawText to DrawTextW; the members
// below keep their own name in every translation unit.
#ifdef DrawText
#undef DrawText
#endif

namespace tarvex {

class TextEngine {
 public:
  virtual ~TextEngine() = default;
  // Called before text is drawn into pixels the raster has touched, and after
  // (the GDI engine flushes GDI's batch); no-ops for the built-in font.
  virtual void BeginText() {}
  virtual void EndText() {}
  // DrawTextA on the given pixels (see Surface::DrawText); `pixels` is the
  // raster's buffer of width x height in 0x00RRGGBB.
  virtual int32_t DrawText(std::string& text, Rect& r, uint32_t flags, const FontDesc& font,
                           Rgb color, uint32_t* pixels, int32_t width, int32_t height) = 0;
  virtual Size MeasureText(std::string_view text, const FontDesc& font) = 0;
};

}  // namespace tarvex
