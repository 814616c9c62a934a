// DrawText with the built-in font: boxes for the flags the controls use,
// prefixes, ellipsis with DT_MODIFYSTRING, word wrap, tabs, measuring.
#include <gtest/gtest.h>

#include <string>

#include "platform/raster/builtin_text_engine.h"
#include "platform/raster/raster_surface.h"
#include "support/gtest_printers.h"

namespace tarvex {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kInk = MakeRgb(0, 0, 0);

// Bounding box of the inked pixels (empty Rect when none).
Rect Ink(const RasterSurface& s) {
  Rect b{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.At(x, y) == kInk) {
        b.left = std::min(b.left, x), b.top = std::min(b.top, y);
        b.right = std::max(b.right, x + 1), b.bottom = std::max(b.bottom, y + 1);
      }
  return b.left == INT32_MAX ? Rect{} : b;
}

struct Drawn {
  int32_t height;
  Rect rect;
  std::string text;
  Rect ink;
};

Drawn Draw(std::string text, Rect r, uint32_t flags, int w = 120, int h = 60) {
  RasterSurface s(w, h);
  s.SetTextColor(kInk);
  int32_t height = s.DrawText(text, r, flags);
  return {height, r, text, Ink(s)};
}

TEST(RasterText, MeasureUsesFixedCellsAndLines) {
  RasterSurface s(10, 10);
  EXPECT_EQ(s.MeasureText("abc"), (Size{18, 12}));
  EXPECT_EQ(s.MeasureText("普通加速"), (Size{48, 12}));
  EXPECT_EQ(s.MeasureText("a&b"), (Size{18, 12}));  // no prefix processing
  EXPECT_EQ(s.MeasureText("ab\r\nabcd"), (Size{24, 24}));
  EXPECT_EQ(s.MeasureText(""), (Size{0, 12}));
}

TEST(RasterText, CalcRectFitsSingleAndMultipleLines) {
  Drawn one = Draw("Tab 1", {10, 5, 11, 6}, dt::kCalcRect | dt::kSingleLine);
  EXPECT_EQ(one.rect, (Rect{10, 5, 40, 17}));
  EXPECT_EQ(one.height, 12);
  EXPECT_EQ(one.ink, Rect{});  // measuring draws nothing
  Drawn two = Draw("ab\ncdef", {0, 0, 100, 100}, dt::kCalcRect);
  EXPECT_EQ(two.rect, (Rect{0, 0, 24, 24}));
  EXPECT_EQ(two.height, 24);
}

TEST(RasterText, GlyphBoxesAndAlignment) {
  // left/top: first glyph box x+1 .. x+4, rows 2..9
  EXPECT_EQ(Draw("ab", {3, 4, 100, 40}, 0).ink, (Rect{4, 6, 14, 14}));
  // centred both ways in (0,0,60,30): width 12 -> x 24; height 12 -> y 9
  Drawn c = Draw("ab", {0, 0, 60, 30}, dt::kSingleLine | dt::kCenter | dt::kVCenter);
  EXPECT_EQ(c.ink, (Rect{25, 11, 35, 19}));
  EXPECT_EQ(c.height, 21);  // from the top to the bottom of the text
  EXPECT_EQ(Draw("ab", {0, 0, 60, 30}, dt::kSingleLine | dt::kRight | dt::kBottom).ink,
            (Rect{49, 20, 59, 28}));
}

TEST(RasterText, ClipsToTheBoxUnlessNoClip) {
  EXPECT_EQ(Draw("abcdef", {0, 0, 14, 12}, dt::kSingleLine).ink, (Rect{1, 2, 14, 10}));
  EXPECT_EQ(Draw("abcdef", {0, 0, 14, 12}, dt::kSingleLine | dt::kNoClip).ink,
            (Rect{1, 2, 35, 10}));
}

TEST(RasterText, PrefixesUnderlineAndCollapse) {
  // "&x" underlines x on row 11 of its cell; "&&" is one '&'
  Drawn u = Draw("a&bc", {0, 0, 100, 20}, 0);
  EXPECT_EQ(u.ink, (Rect{1, 2, 17, 12}));
  RasterSurface s(40, 20);
  s.SetTextColor(kInk);
  std::string t = "a&bc";
  Rect r{0, 0, 40, 20};
  s.DrawText(t, r, 0);
  EXPECT_EQ(s.At(6, 11), kInk);   // under 'b'
  EXPECT_EQ(s.At(11, 11), kInk);
  EXPECT_EQ(s.At(5, 11), kWhite);
  EXPECT_EQ(s.At(12, 11), kWhite);
  EXPECT_EQ(Draw("a&&b", {0, 0, 100, 20}, dt::kCalcRect).rect.right, 18);
  EXPECT_EQ(Draw("a&&b", {0, 0, 100, 20}, dt::kCalcRect | dt::kNoPrefix).rect.right, 24);
  // hidden prefixes: no underline
  EXPECT_EQ(Draw("a&bc", {0, 0, 100, 20}, dt::kHidePrefix).ink.bottom, 10);
}

TEST(RasterText, TabMeasuringCallShortensAndModifiesTheCaption) {
  // the tab control's measuring call: DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS
  // with every bit above 0xFFFF (DT_MODIFYSTRING among them)
  Drawn d = Draw("Long caption", {0, 0, 40, 20}, 0xFFFF8420u);
  EXPECT_EQ(d.text, "Lon...");  // 3 letters + "..." = 36 px fit in 40
  EXPECT_EQ(d.rect, (Rect{0, 0, 36, 12}));
  EXPECT_EQ(d.ink, Rect{});
  Drawn fits = Draw(" 软件设置 ", {0, 0, 200, 20}, 0xFFFF8420u);
  EXPECT_EQ(fits.text, " 软件设置 ");
  EXPECT_EQ(fits.rect, (Rect{0, 0, 60, 12}));
  // the kept part keeps its prefix spelling
  EXPECT_EQ(Draw("&Hello world", {0, 0, 40, 20}, 0xFFFF8420u).text, "&Hel...");
  // without DT_MODIFYSTRING the caller's text is left alone
  EXPECT_EQ(Draw("Long caption", {0, 0, 40, 20}, dt::kSingleLine | dt::kEndEllipsis).text,
            "Long caption");
}

TEST(RasterText, WordBreakWrapsAtBlanksAndWideCharacters) {
  Drawn d = Draw("aa bb cc", {0, 0, 36, 60}, dt::kWordBreak | dt::kCalcRect);
  EXPECT_EQ(d.rect, (Rect{0, 0, 30, 24}));  // "aa bb" / "cc"
  Drawn cjk = Draw("普通加速", {0, 0, 30, 60}, dt::kWordBreak | dt::kCalcRect);
  EXPECT_EQ(cjk.rect, (Rect{0, 0, 24, 24}));
  Drawn longWord = Draw("abcdefgh", {0, 0, 20, 60}, dt::kWordBreak | dt::kCalcRect);
  EXPECT_EQ(longWord.rect, (Rect{0, 0, 48, 12}));  // a word is never split
  Drawn centred = Draw("aa bb cc", {0, 0, 36, 60}, dt::kWordBreak | dt::kCenter);
  EXPECT_EQ(centred.ink, (Rect{4, 2, 32, 22}));
}

TEST(RasterText, ExpandTabsToEightAverageCharacters) {
  EXPECT_EQ(Draw("a\tb", {0, 0, 100, 20}, dt::kExpandTabs | dt::kCalcRect).rect.right, 54);
  EXPECT_EQ(Draw("a\tb", {0, 0, 100, 20}, dt::kCalcRect).rect.right, 18);
}

TEST(RasterText, InvalidUtf8AndEmptyText) {
  EXPECT_EQ(Draw("\xff\xfe", {0, 0, 100, 20}, dt::kCalcRect).rect.right, 24);
  Drawn e = Draw("", {5, 5, 50, 50}, dt::kCalcRect | dt::kSingleLine);
  EXPECT_EQ(e.rect, (Rect{5, 5, 5, 17}));
}

}  // namespace
}  // namespace tarvex
