// QPainter text on the raster's pixels (see qt_text_engine.h).
#include "qt_text_engine.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "platform/raster/text_layout.h"
#include "platform/surface.h"

namespace tarvex {
namespace {

class QtGlyphMetrics final : public GlyphMetrics {
 public:
  explicit QtGlyphMetrics(const QFont& font) : m_(font) {}
  int32_t CharWidth(char32_t c) const override {
    if (c == U'\t') return AveCharWidth();
    return m_.horizontalAdvance(QString::fromUcs4(&c, 1));
  }
  int32_t LineHeight() const override { return m_.height(); }
  int32_t AveCharWidth() const override { return m_.averageCharWidth(); }
  int32_t Ascent() const { return m_.ascent(); }

 private:
  QFontMetrics m_;
};

QColor ToQColor(Rgb c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

}  // namespace

void InstallFontSubstitutions() {
  // Both Windows faces fall back to what this desktop has; the CJK faces
  // come first so the Chinese captions keep one look.
  const QStringList cjk{"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback"};
  QFont::insertSubstitutions("SimSun", cjk);
  QFont::insertSubstitutions("宋体", cjk);
  QFont::insertSubstitutions("Verdana", QStringList{"DejaVu Sans"} + cjk);
  QFont::insertSubstitutions("MS Sans Serif", QStringList{"DejaVu Sans"} + cjk);
}

QFont ToQFont(const FontSpec& font) {
  QFont f(QString::fromStdString(font.name));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.sizePt * 96.0 / 72.0))));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikethrough);
  return f;
}

int32_t QtTextEngine::DrawText(std::string& text, Rect& r, uint32_t flags, const FontSpec& font,
                               Rgb color, uint32_t* pixels, int32_t width, int32_t height) {
  const QFont qfont = ToQFont(font);
  const QtGlyphMetrics metrics(qfont);
  TextLayout layout = LayOutText(text, r, flags, metrics);
  if (pixels == nullptr || width <= 0 || height <= 0) return layout.height;

  // The raster's 0x00RRGGBB rows are Format_RGB32 as they stand: no copy.
  QImage image(reinterpret_cast<uchar*>(pixels), width, height, width * 4, QImage::Format_RGB32);
  QPainter p(&image);
  if (layout.clipped) {
    p.setClipRect(QRect(layout.clip.left, layout.clip.top, layout.clip.Width(), layout.clip.Height()));
  }
  p.setFont(qfont);
  p.setPen(ToQColor(color));
  const bool showPrefix = (flags & dt::kHidePrefix) == 0;
  const bool prefixOnly = (flags & dt::kPrefixOnly) != 0;
  const int ascent = metrics.Ascent();
  for (const PlacedGlyph& g : layout.glyphs) {
    if (!prefixOnly && g.ch > U' ' && g.ch != 0x7F) {
      p.drawText(QPoint(g.x, g.y + ascent), QString::fromUcs4(&g.ch, 1));
    }
    if (g.underline && showPrefix) p.fillRect(QRect(g.x, g.y + ascent + 1, g.width, 1), ToQColor(color));
  }
  return layout.height;
}

Size QtTextEngine::MeasureText(std::string_view text, const FontSpec& font) {
  const QtGlyphMetrics metrics(ToQFont(font));
  return MeasureTextPlain(text, metrics);
}

}  // namespace tarvex
