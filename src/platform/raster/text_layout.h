// DrawTextA's layout rules over any glyph metrics: prefixes ("&x", "&&"), tabs,
// hard and word-wrapped lines, alignment, end ellipsis with DT_MODIFYSTRING,
// DT_CALCRECT. Produces positioned glyphs; drawing them is the caller's job.
// Coordinates are pixels of the target surface. Text is UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/geometry.h"

namespace tarvex {

class GlyphMetrics {
 public:
  virtual ~GlyphMetrics() = default;
  virtual int32_t CharWidth(char32_t c) const = 0;  // advance in pixels
  virtual int32_t LineHeight() const = 0;           // pixels per line
  virtual int32_t AveCharWidth() const = 0;         // tab stops are 8 of these
};

struct PlacedGlyph {
  char32_t ch = 0;
  int32_t x = 0;       // left of the cell, surface pixels
  int32_t y = 0;       // top of the line
  int32_t width = 0;   // advance (a tab's expanded width)
  bool underline = false;  // access-key prefix
};

struct TextLayout {
  std::vector<PlacedGlyph> glyphs;  // empty with DT_CALCRECT
  Rect clip;                        // the rectangle to clip to
  bool clipped = true;              // false with DT_NOCLIP
  int32_t height = 0;               // DrawText's result
};

// Applies DrawTextA's rules: returns the layout, updates `r` with DT_CALCRECT
// and `text` with DT_MODIFYSTRING plus an ellipsis.
TextLayout LayOutText(std::string& text, Rect& r, uint32_t flags, const GlyphMetrics& metrics);

// TextWidth x TextHeight of the host: no prefixes, no tabs, lines split at
// CR LF / LF, width of the widest line.
Size MeasureTextPlain(std::string_view text, const GlyphMetrics& metrics);

// UTF-8 decoding that never fails: each invalid byte becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);

}  // namespace tarvex
