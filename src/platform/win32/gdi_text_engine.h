// The program's text engine: GDI draws the text (DrawTextW, the real fonts,
// transparent background) into the same pixels the raster draws on, i.e. the
// DIB section selected into `dc`. GdiFlush separates the two writers.
#pragma once

#include <windows.h>
#undef DrawText  // keep the surface member's name (see unique_handle.h)

#include "common/font.h"
#include "platform/text_engine.h"
#include "platform/win32/unique_handle.h"

namespace tarvex {

class GdiTextEngine final : public TextEngine {
 public:
  // `dc` (not owned) has the raster's DIB section selected; it must outlive this.
  explicit GdiTextEngine(HDC dc) : dc_(dc) {}

  void BeginText() override { GdiFlush(); }
  void EndText() override { GdiFlush(); }
  int32_t DrawText(std::string& text, Rect& r, uint32_t flags, const FontDesc& font, Rgb color,
                   uint32_t* pixels, int32_t width, int32_t height) override;
  Size MeasureText(std::string_view text, const FontDesc& font) override;

 private:
  HFONT FontFor(const FontDesc& font);

  HDC dc_;
  FontDesc cachedFontDesc_;  // the font `cachedFont_` was made from
  UniqueFont cachedFont_;
};

// Rgb (red low) is COLORREF's own layout.
inline COLORREF ToColorRef(uint32_t rgb) { return static_cast<COLORREF>(rgb & 0xFFFFFFu); }

// An HFONT for a FontDesc at 96 dpi (height = -points * 96 / 72, rounded).
UniqueFont CreateFontFor(const FontDesc& font);

// DrawTextW with UTF-8 in and out (DT_MODIFYSTRING writes the shortened text
// back); shared by the text engine and the GDI surface.
int32_t DrawTextUtf8(HDC dc, std::string& text, Rect& r, uint32_t flags);
// TextWidth / TextHeight: the widest line and the line count times the height.
Size MeasureTextUtf8(HDC dc, std::string_view text);

}  // namespace tarvex
