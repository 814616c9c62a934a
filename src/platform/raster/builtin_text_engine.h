// The built-in deterministic test font, so tests can compute every text box:
//   - code points U+0000..U+007F advance kBuiltinNarrowWidth (6) pixels, all
//     others (CJK and the rest) kBuiltinWideWidth (12);
//   - every line is kBuiltinLineHeight (12) pixels high, whatever the FontDesc;
//   - a visible glyph in a cell (x, y, w) is the solid box x+1 .. x+w-2,
//     y+2 .. y+9 in the text colour; a space or control character draws nothing;
//   - an access-key underline is row y+11, x .. x+w-1.
// Tab stops with DT_EXPANDTABS are every 8 x 6 = 48 pixels from the line start.
#pragma once

#include <cstdint>

#include "platform/raster/text_layout.h"
#include "platform/text_engine.h"

namespace tarvex {

inline constexpr int32_t kBuiltinNarrowWidth = 6;
inline constexpr int32_t kBuiltinWideWidth = 12;
inline constexpr int32_t kBuiltinLineHeight = 12;
inline constexpr int32_t kBuiltinGlyphTop = 2;     // first row of a glyph box
inline constexpr int32_t kBuiltinGlyphBottom = 9;  // last row of a glyph box
inline constexpr int32_t kBuiltinUnderlineRow = 11;

class BuiltinGlyphMetrics final : public GlyphMetrics {
 public:
  int32_t CharWidth(char32_t c) const override {
    return c < 0x80 ? kBuiltinNarrowWidth : kBuiltinWideWidth;
  }
  int32_t LineHeight() const override { return kBuiltinLineHeight; }
  int32_t AveCharWidth() const override { return kBuiltinNarrowWidth; }
};

class BuiltinTextEngine final : public TextEngine {
 public:
  int32_t DrawText(std::string& text, Rect& r, uint32_t flags, const FontDesc& font, Rgb color,
                   uint32_t* pixels, int32_t width, int32_t height) override;
  Size MeasureText(std::string_view text, const FontDesc& font) override;

 private:
  BuiltinGlyphMetrics metrics_;
};

}  // namespace tarvex
