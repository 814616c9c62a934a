// Text for the raster in the Qt program: DrawTextA's layout rules (text_layout)
// over QFontMetrics, glyphs drawn by QPainter straight into the raster's pixels
// through a QImage that wraps them. The Windows faces of the controls' fonts
// (SimSun, Verdana) resolve through fontconfig to installed faces.
#pragma once

#include <QFont>

#include <memory>
#include <vector>

#include "platform/text_engine.h"

namespace tarvex {

// The Windows faces the program names, substituted once per process by the
// faces fontconfig has here (a CJK face for the Chinese text).
void InstallFontSubstitutions();
// Faces fontconfig leaves unhinted are drawn unhinted; before the first text.
void HonourUnhintedFaces();

// A QFont for a control font: pixel height as GDI gives it at 96 dpi.
QFont ToQFont(const FontDesc& font);

class QtTextEngine final : public TextEngine {
 public:
  int32_t DrawText(std::string& text, Rect& r, uint32_t flags, const FontDesc& font, Rgb color,
                   uint32_t* pixels, int32_t width, int32_t height) override;
  Size MeasureText(std::string_view text, const FontDesc& font) override;

  QtTextEngine();
  ~QtTextEngine() override;
  QtTextEngine(const QtTextEngine&) = delete;
  QtTextEngine& operator=(const QtTextEngine&) = delete;

 private:
  struct CachedFont;
  // A paint measures every character of every caption, and shaping one
  // character to learn its advance costs microseconds: the fonts a control
  // uses keep their advances here.
  const CachedFont& Font(const FontDesc& wanted);
  std::vector<std::unique_ptr<CachedFont>> fonts_;
};

}  // namespace tarvex
