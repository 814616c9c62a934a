// The Qt text engine's fast paths (advances read from the font, glyphs drawn
// as glyph runs) against Qt drawing and measuring each character as text, in
// the fonts the controls use, with the fonts this desktop has.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <vector>

#include <fontconfig/fontconfig.h>

#include "common/font.h"
#include "host/qt/qt_text_engine.h"
#include "platform/raster/text_layout.h"
#include "platform/surface.h"

namespace tarvex {
namespace {

// Every advance from shaping the character as a string.
class ShapedMetrics final : public GlyphMetrics {
 public:
  explicit ShapedMetrics(const QFont& font) : m_(font) {}
  int32_t CharWidth(char32_t c) const override {
    return c == U'\t' ? AveCharWidth() : m_.horizontalAdvance(QString::fromUcs4(&c, 1));
  }
  int32_t LineHeight() const override { return m_.height(); }
  int32_t AveCharWidth() const override { return m_.averageCharWidth(); }
  int32_t Ascent() const { return m_.ascent(); }

 private:
  QFontMetrics m_;
};

FontDesc Font(const char* name, double points, bool bold = false, bool underline = false) {
  FontDesc f;
  f.name = name;
  f.sizePt = points;
  f.bold = bold;
  f.underline = underline;
  return f;
}

// Qt reads a face's hint style, not whether it is hinted at all.
TEST(QtText, AFaceFontconfigLeavesUnhintedHasNoHintStyle) {
  HonourUnhintedFaces();
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("WenQuanYi Micro Hei:pixelsize=12"));
  ASSERT_NE(pattern, nullptr);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  ASSERT_NE(match, nullptr);
  FcBool hinting = FcTrue;
  int style = -1;
  FcPatternGetBool(match, FC_HINTING, 0, &hinting);
  FcPatternGetInteger(match, FC_HINT_STYLE, 0, &style);
  FcPatternDestroy(match);
  if (hinting) GTEST_SKIP() << "this desktop hints its CJK face";
  EXPECT_EQ(style, FC_HINT_NONE);
}

TEST(QtText, FastPathsDrawAndMeasureWhatCharacterByCharacterTextDoes) {
  InstallFontSubstitutions();  // as the program draws: its faces, unhinted where fontconfig says so
  HonourUnhintedFaces();
  const std::vector<std::string> texts = {
      "加速状态 Save&Records", "开机启动(系统启动后自动运行Tarvex)", "全面提升系统性能15%以上，让系统跑的更快。",
      "Tab 0\tNO. 时间 «é»", "€ ~!@#$%^*()_+{}|:\"<>?",
      "\xEE\x80\x80 \xF0\x9F\x98\x80",  // a private-use character and one past the 16-bit range
  };
  const std::vector<FontDesc> fonts = {Font("SimSun", 9), Font("SimSun", 10.5, true), Font("Verdana", 9),
                                       Font("Verdana", 10.5, true), Font("MS Sans Serif", 8.25),
                                       Font("Verdana", 9, false, true)};  // underlined: drawn as text
  constexpr int32_t kWidth = 420, kHeight = 40;
  QtTextEngine engine;
  for (const FontDesc& font : fonts) {
    const QFont qfont = ToQFont(font);
    const ShapedMetrics shaped(qfont);
    for (const std::string& text : texts) {
      SCOPED_TRACE(font.name + " " + std::to_string(font.sizePt) + (font.bold ? " bold" : "") + ": " + text);
      const Size size = engine.MeasureText(text, font);
      const Size expected = MeasureTextPlain(text, shaped);
      EXPECT_EQ(size, expected);

      std::vector<uint32_t> fast(kWidth * kHeight, 0xFFFFFF);
      std::string drawn = text;
      Rect r{2, 3, kWidth - 2, kHeight - 2};
      engine.DrawText(drawn, r, dt::kExpandTabs, font, 0x402010, fast.data(), kWidth, kHeight);

      QImage reference(kWidth, kHeight, QImage::Format_RGB32);
      reference.fill(0xFFFFFF);
      std::string laid = text;
      Rect lr{2, 3, kWidth - 2, kHeight - 2};
      const TextLayout layout = LayOutText(laid, lr, dt::kExpandTabs, shaped);
      {
        QPainter p(&reference);
        p.setClipRect(QRect(layout.clip.left, layout.clip.top, layout.clip.Width(), layout.clip.Height()));
        p.setFont(qfont);
        p.setPen(QColor(0x10, 0x20, 0x40));
        for (const PlacedGlyph& g : layout.glyphs) {
          if (g.ch > U' ' && g.ch != 0x7F) p.drawText(QPoint(g.x, g.y + shaped.Ascent()), QString::fromUcs4(&g.ch, 1));
          if (g.underline) p.fillRect(QRect(g.x, g.y + shaped.Ascent() + 1, g.width, 1), QColor(0x10, 0x20, 0x40));
        }
      }
      int differing = 0, inked = 0;
      for (int y = 0; y < kHeight; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(reference.constScanLine(y));
        for (int x = 0; x < kWidth; ++x) {
          const uint32_t want = row[x] & 0xFFFFFF, got = fast[static_cast<size_t>(y) * kWidth + x] & 0xFFFFFF;
          differing += want != got;
          inked += want != 0xFFFFFF;
        }
      }
      EXPECT_GT(inked, 0);
      EXPECT_EQ(differing, 0);
    }
  }
}

}  // namespace
}  // namespace tarvex
