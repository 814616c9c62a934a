// DrawTextA's layout rules over abstract glyph metrics (see text_layout.h).
#include "platform/raster/text_layout.h"

#include <algorithm>

#include "platform/surface.h"

namespace tarvex {
namespace {

// One displayed character and the source bytes it came from ("&x" for an
// access key, "&&" for a literal ampersand), so DT_MODIFYSTRING can give back
// the caller's own spelling of the kept part.
struct Unit {
  char32_t ch = 0;
  std::string source;
  bool underline = false;
};

using Line = std::vector<Unit>;

bool IsWide(char32_t c) { return c >= 0x1100; }

std::vector<Unit> ToUnits(std::string_view text, bool prefixes) {
  std::u32string cps = DecodeUtf8(text);
  std::vector<Unit> units;
  units.reserve(cps.size());
  for (size_t i = 0; i < cps.size(); ++i) {
    if (prefixes && cps[i] == U'&') {
      if (i + 1 >= cps.size()) break;  // a lone trailing '&' shows nothing
      char32_t next = cps[i + 1];
      ++i;
      units.push_back({next, "&" + EncodeUtf8(std::u32string(1, next)), next != U'&'});
      continue;
    }
    units.push_back({cps[i], EncodeUtf8(std::u32string(1, cps[i])), false});
  }
  return units;
}

class LineMeasure {
 public:
  LineMeasure(const GlyphMetrics& m, bool tabs) : m_(m), tabs_(tabs) {}
  // Advance of unit c when the line so far is `x` wide.
  int32_t Advance(char32_t c, int32_t x) const {
    if (tabs_ && c == U'\t') {
      int32_t stop = 8 * std::max(1, m_.AveCharWidth());
      return (x / stop + 1) * stop - x;
    }
    return m_.CharWidth(c);
  }
  int32_t Width(const Line& line) const {
    int32_t x = 0;
    for (const Unit& u : line) x += Advance(u.ch, x);
    return x;
  }

 private:
  const GlyphMetrics& m_;
  bool tabs_;
};

// Splits at CR LF, LF or CR (unless single line).
std::vector<Line> HardLines(const std::vector<Unit>& units, bool single) {
  std::vector<Line> lines(1);
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i].ch;
    if (!single && (c == U'\n' || c == U'\r')) {
      if (c == U'\r' && i + 1 < units.size() && units[i + 1].ch == U'\n') ++i;
      lines.emplace_back();
      continue;
    }
    lines.back().push_back(units[i]);
  }
  return lines;
}

// Greedy word wrap: breaks after blanks (dropping them at the break) and
// around full-width characters; a word wider than the box keeps its own line.
void WrapLine(const Line& line, int32_t maxWidth, bool wideBreaks, const LineMeasure& lm,
              std::vector<Line>& out) {
  Line current;
  size_t i = 0;
  while (i < line.size()) {
    // the next word: a run up to and including trailing blanks
    size_t end = i;
    if (wideBreaks && IsWide(line[end].ch)) {
      ++end;
    } else {
      while (end < line.size() && line[end].ch != U' ' && !(wideBreaks && IsWide(line[end].ch)))
        ++end;
    }
    size_t wordEnd = end;  // without the blanks
    while (end < line.size() && line[end].ch == U' ') ++end;
    Line trial = current;
    trial.insert(trial.end(), line.begin() + static_cast<std::ptrdiff_t>(i),
                 line.begin() + static_cast<std::ptrdiff_t>(wordEnd));
    if (!current.empty() && lm.Width(trial) > maxWidth) {
      while (!current.empty() && current.back().ch == U' ') current.pop_back();
      out.push_back(std::move(current));
      current.clear();
      continue;  // retry the word on a fresh line
    }
    current.insert(current.end(), line.begin() + static_cast<std::ptrdiff_t>(i),
                   line.begin() + static_cast<std::ptrdiff_t>(end));
    i = end;
  }
  while (!current.empty() && current.back().ch == U' ') current.pop_back();
  out.push_back(std::move(current));
}

// Shortens the line so that it and "..." fit in maxWidth. True if shortened.
bool Ellipsify(Line& line, int32_t maxWidth, const LineMeasure& lm) {
  if (lm.Width(line) <= maxWidth) return false;
  Line dots(3, Unit{U'.', ".", false});
  int32_t dotsWidth = lm.Width(dots);
  while (!line.empty() && lm.Width(line) + dotsWidth > maxWidth) line.pop_back();
  line.insert(line.end(), dots.begin(), dots.end());
  return true;
}

}  // namespace

TextLayout LayOutText(std::string& text, Rect& r, uint32_t flags, const GlyphMetrics& metrics) {
  TextLayout out;
  out.clip = r;
  out.clipped = (flags & dt::kNoClip) == 0;
  const bool single = (flags & dt::kSingleLine) != 0;
  const bool calc = (flags & dt::kCalcRect) != 0;
  const int32_t lh = metrics.LineHeight();
  LineMeasure lm(metrics, (flags & dt::kExpandTabs) != 0);

  std::vector<Unit> units = ToUnits(text, (flags & dt::kNoPrefix) == 0);
  std::vector<Line> lines = HardLines(units, single);
  if ((flags & dt::kWordBreak) != 0 && !single) {
    std::vector<Line> wrapped;
    bool wideBreaks = (flags & dt::kNoFullWidthCharBreak) == 0;
    for (const Line& l : lines) WrapLine(l, r.Width(), wideBreaks, lm, wrapped);
    lines = std::move(wrapped);
  }
  bool shortened = false;
  if ((flags & (dt::kEndEllipsis | dt::kWordEllipsis)) != 0) {
    for (Line& l : lines) shortened = Ellipsify(l, r.Width(), lm) || shortened;
  }
  if (shortened && (flags & dt::kModifyString) != 0) {
    std::string modified;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) modified += "\r\n";
      for (const Unit& u : lines[i]) modified += u.source;
    }
    text = std::move(modified);
  }

  int32_t y = r.top;
  if (single && (flags & dt::kVCenter) != 0) y = r.top + (r.Height() - lh) / 2;
  else if (single && (flags & dt::kBottom) != 0) y = r.bottom - lh;
  int32_t maxWidth = 0;
  for (const Line& l : lines) {
    int32_t w = lm.Width(l);
    maxWidth = std::max(maxWidth, w);
    if (!calc) {
      int32_t x = r.left;
      if ((flags & dt::kCenter) != 0) x = (r.left + r.right - w) / 2;
      else if ((flags & dt::kRight) != 0) x = r.right - w;
      int32_t dx = 0;
      for (const Unit& u : l) {
        int32_t adv = lm.Advance(u.ch, dx);
        out.glyphs.push_back({u.ch, x + dx, y, adv, u.underline});
        dx += adv;
      }
    }
    y += lh;
  }
  out.height = y - r.top;
  if (calc) {
    r.right = r.left + maxWidth;
    r.bottom = r.top + static_cast<int32_t>(lines.size()) * lh;
  }
  return out;
}

Size MeasureTextPlain(std::string_view text, const GlyphMetrics& metrics) {
  std::u32string cps = DecodeUtf8(text);
  int32_t lines = 1, width = 0, x = 0;
  for (size_t i = 0; i < cps.size(); ++i) {
    if (cps[i] == U'\r' && i + 1 < cps.size() && cps[i + 1] == U'\n') continue;
    if (cps[i] == U'\n') {
      ++lines;
      x = 0;
      continue;
    }
    x += metrics.CharWidth(cps[i]);
    width = std::max(width, x);
  }
  return {width, lines * metrics.LineHeight()};
}

std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    int n = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    char32_t c = n == 0 ? b : n == 1 ? (b & 0x1Fu) : n == 2 ? (b & 0x0Fu) : (b & 0x07u);
    bool ok = n >= 0 && i + static_cast<size_t>(n) < s.size();
    for (int k = 1; ok && k <= n; ++k) {
      auto cb = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
      if ((cb & 0xC0) != 0x80) ok = false;
      else c = (c << 6) | (cb & 0x3Fu);
    }
    if (!ok) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    out.push_back(c);
    i += static_cast<size_t>(n) + 1;
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace tarvex
