// QPainter text on the raster's pixels (see qt_text_engine.h).
#include "qt_text_engine.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <unordered_map>

#include "platform/raster/text_layout.h"
#include "platform/surface.h"

namespace tarvex {
namespace {

// A control font's faces, found the way Qt's font merging finds them: its own
// face and, for what that lacks, the face that carries Chinese. Qt merges by
// asking fontconfig for a sorted list of every installed face, once per font;
// at start-up that was a large part of the text's cost, so the faces are
// looked up directly and the merging font serves only what neither face has.
class FontFaces {
 public:
  explicit FontFaces(const QFont& font) : font_(font), single_(font) {
    single_.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoFontMerging));
    for (const QString& name : font.families()) {
      if (QFontDatabase::writingSystems(name).contains(QFontDatabase::SimplifiedChinese)) {
        chineseFamily_ = name;
        break;
      }
    }
  }

  // Where a character's glyph lies; null when neither face has it (or the
  // font is underlined or struck out, which a glyph run would draw
  // differently): drawn and measured as text then.
  struct Glyph {
    const QRawFont* face = nullptr;
    quint32 index = 0;
  };
  Glyph For(char32_t c) const {
    if (font_.underline() || font_.strikeOut()) return {};
    const auto [it, fresh] = glyphs_.try_emplace(c);
    if (!fresh) return it->second;
    if (!loaded_) {
      own_ = QRawFont::fromFont(single_);
      if (chineseFamily_.isEmpty()) {
        chinese_ = QRawFont::fromFont(single_, QFontDatabase::SimplifiedChinese);
      } else {
        QFont chinese = single_;
        chinese.setFamily(chineseFamily_);
        chinese_ = QRawFont::fromFont(chinese);
      }
      loaded_ = true;
    }
    const QString text = QString::fromUcs4(&c, 1);
    for (const QRawFont* face : {&own_, &chinese_}) {
      if (!face->isValid() || !face->supportsCharacter(c)) continue;
      const QList<quint32> indexes = face->glyphIndexesForString(text);
      if (indexes.size() == 1) return it->second = Glyph{face, indexes.front()};
    }
    return it->second;
  }

  const QFont& Merging() const { return font_; }
  // The own face's line metrics, which are the merging font's too.
  const QFont& Single() const { return single_; }

 private:
  QFont font_, single_;
  QString chineseFamily_;  // the first of its names that writes Chinese
  mutable bool loaded_ = false;
  mutable QRawFont own_, chinese_;
  mutable std::unordered_map<char32_t, Glyph> glyphs_;
};

class QtGlyphMetrics final : public GlyphMetrics {
 public:
  explicit QtGlyphMetrics(const FontFaces& faces) : QtGlyphMetrics(faces, QFontMetrics(faces.Single())) {}
  int32_t CharWidth(char32_t c) const override {
    if (c == U'\t') return aveCharWidth_;
    if (c < ascii_.size()) {
      int32_t& w = ascii_[c];
      if (w == kUnknown) w = Measure(c);
      return w;
    }
    const auto [it, fresh] = others_.try_emplace(c, 0);
    if (fresh) it->second = Measure(c);
    return it->second;
  }
  int32_t LineHeight() const override { return lineHeight_; }
  int32_t AveCharWidth() const override { return aveCharWidth_; }
  int32_t Ascent() const { return ascent_; }

 private:
  static constexpr int32_t kUnknown = -1;
  QtGlyphMetrics(const FontFaces& faces, const QFontMetrics& m)
      : faces_(faces), lineHeight_(m.height()), aveCharWidth_(m.averageCharWidth()), ascent_(m.ascent()) {
    ascii_.fill(kUnknown);
  }
  int32_t Measure(char32_t c) const {
    // One character needs no shaping: its advance is read straight from the
    // face, where measuring a string runs the shaper (and loads the font's
    // layout tables) for every character.
    if (c <= 0xFFFF && !QChar::isSurrogate(c) && QChar::category(c) != QChar::Mark_NonSpacing) {
      if (const FontFaces::Glyph g = faces_.For(c); g.face != nullptr) {
        const QList<QPointF> advances = g.face->advancesForGlyphIndexes(QList<quint32>{g.index});
        // As QFontMetrics rounds the advance in 26.6 fixed point.
        if (advances.size() == 1) return static_cast<int32_t>(std::lround(advances.front().x()));
      }
      return Merging().horizontalAdvance(QChar(static_cast<char16_t>(c)));
    }
    return Merging().horizontalAdvance(QString::fromUcs4(&c, 1));
  }
  const QFontMetrics& Merging() const {
    if (!merging_) merging_.emplace(faces_.Merging());
    return *merging_;
  }

  const FontFaces& faces_;
  int32_t lineHeight_, aveCharWidth_, ascent_;
  mutable std::optional<QFontMetrics> merging_;
  mutable std::array<int32_t, 128> ascii_;
  mutable std::unordered_map<char32_t, int32_t> others_;
};

// A Windows face's installed stand-ins, in the order the substitutions give.
// Named as installed: for a name it lacks (SimSun here) Qt first asks
// fontconfig for a sorted list of every face before it tries the substitutes.
// Control fonts are first made in a paint, when the font database is loaded
// anyway; the window's labels keep the Windows names, since resolving them
// while the window is built would load that database before the window shows.
QStringList DesktopFamilies(const QString& face) {
  const QStringList installed = QFontDatabase::families();
  QStringList families;
  for (const QString& name : QStringList{face} + QFont::substitutes(face)) {
    if (installed.contains(name, Qt::CaseInsensitive)) families.push_back(name);
  }
  return families.isEmpty() ? QStringList{face} : families;
}

QColor ToQColor(Rgb c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

}  // namespace

struct QtTextEngine::CachedFont {
  explicit CachedFont(const FontDesc& d) : desc(d), faces(ToQFont(d)), metrics(faces) {}

  FontDesc desc;
  FontFaces faces;
  QtGlyphMetrics metrics;
};

QtTextEngine::QtTextEngine() = default;
QtTextEngine::~QtTextEngine() = default;

const QtTextEngine::CachedFont& QtTextEngine::Font(const FontDesc& wanted) {
  HonourUnhintedFaces();
  for (const auto& f : fonts_) {
    if (f->desc == wanted) return *f;
  }
  // A control uses a font or two; one that cycles through many (a font
  // property set again and again) keeps only the latest few.
  constexpr size_t kMostFonts = 8;
  if (fonts_.size() == kMostFonts) fonts_.erase(fonts_.begin());
  fonts_.push_back(std::make_unique<CachedFont>(wanted));
  return *fonts_.back();
}

void HonourUnhintedFaces() {
  // Qt takes a face's hint style from fontconfig but not whether the face is
  // to be hinted at all, so a face its package marks unhinted (the CJK face
  // here) was autohinted all the same, glyph by glyph, at a cost to every
  // start. Told by its hint style too, it is drawn as its package asks. Added
  // after the system's rules, which are what mark it; done once, at the first
  // text, since loading fontconfig's configuration earlier (while the window
  // is built) delays the window by as much.
  static const bool added = [] {
    static constexpr char kRule[] =
        "<fontconfig><match target=\"font\"><test name=\"hinting\"><bool>false</bool></test>"
        "<edit name=\"hintstyle\" mode=\"assign\"><const>hintnone</const></edit></match></fontconfig>";
    return FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(kRule), FcFalse) ==
           FcTrue;
  }();
  (void)added;
}

void InstallFontSubstitutions() {
  // Both Windows faces fall back to what this desktop has; the CJK faces
  // come first so the Chinese captions keep one look.
  const QStringList cjk{"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback"};
  QFont::insertSubstitutions("SimSun", cjk);
  QFont::insertSubstitutions("宋体", cjk);
  QFont::insertSubstitutions("Verdana", QStringList{"DejaVu Sans"} + cjk);
  QFont::insertSubstitutions("MS Sans Serif", QStringList{"DejaVu Sans"} + cjk);
}

QFont ToQFont(const FontDesc& font) {
  QFont f;
  f.setFamilies(DesktopFamilies(QString::fromStdString(font.name)));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.sizePt * 96.0 / 72.0))));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikethrough);
  return f;
}

int32_t QtTextEngine::DrawText(std::string& text, Rect& r, uint32_t flags, const FontDesc& font,
                               Rgb color, uint32_t* pixels, int32_t width, int32_t height) {
  const CachedFont& cached = Font(font);
  const QFont& qfont = cached.faces.Merging();
  const QtGlyphMetrics& metrics = cached.metrics;
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
      // The glyph itself where the font has it: drawing a character as text
      // runs the shaper on it, which costs more than the drawing.
      if (const FontFaces::Glyph glyph = cached.faces.For(g.ch); glyph.face != nullptr) {
        QGlyphRun run;
        run.setRawFont(*glyph.face);
        run.setGlyphIndexes({glyph.index});
        run.setPositions({QPointF(0, 0)});
        p.drawGlyphRun(QPointF(g.x, g.y + ascent), run);
      } else {
        p.drawText(QPoint(g.x, g.y + ascent), QString::fromUcs4(&g.ch, 1));
      }
    }
    if (g.underline && showPrefix) p.fillRect(QRect(g.x, g.y + ascent + 1, g.width, 1), ToQColor(color));
  }
  return layout.height;
}

Size QtTextEngine::MeasureText(std::string_view text, const FontDesc& font) {
  return MeasureTextPlain(text, Font(font).metrics);
}

}  // namespace tarvex
