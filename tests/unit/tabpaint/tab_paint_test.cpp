// Full repaints on the raster: the layout facts of both styles (first tab's
// left, caption measuring, close-box widening, heights, equal widths), the
// theme 3 paint order, theme 2's style independence and the measured caption.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/control_error.h"
#include "platform/system_colors.h"
#include "recording_surface.h"
#include "tabctl/tab_paint.h"
#include "support/tab_scenes.h"

namespace tarvex {
namespace {

using testing::RecordingSurface;

// One control: a recording raster, classic system colours, a state.
struct Scene {
  Scene(int32_t w, int32_t h, const std::vector<std::string>& captions, int32_t style,
        int32_t theme)
      : surface(w, h), env{surface, sys}, state(testing::MakeTabState(captions)) {
    state.TabStyle = style;
    testing::ApplyTheme(state, theme, sys);
  }
  void Paint() { PaintTabStrip(state, env); }
  Rect TabRect(int i) const { return state.AryTabs[static_cast<size_t>(i)].TabRect; }
  Rgb At(int x, int y) const { return surface.raster.At(x, y); }
  Rgb Ole(OleColor c) const { return TranslateOleColor(c, sys); }

  ClassicSystemColors sys;
  RecordingSurface surface;
  TabPaintEnv env;
  TabStripState state;
};

// Index of the first log entry starting with `prefix` at or after `from`.
size_t Find(const std::vector<std::string>& log, const std::string& prefix, size_t from = 0) {
  for (size_t i = from; i < log.size(); ++i) {
    if (log[i].rfind(prefix, 0) == 0) return i;
  }
  return log.size();
}

TEST(TabPaintLayout, FirstTabStartsAtZeroOnlyWhenItIsActive) {
  for (int theme : {0, 1, 2, 3, 4}) {
    Scene a(300, 100, {"Tab 0", "Tab 1"}, 1, theme);
    a.Paint();
    EXPECT_EQ(a.TabRect(0).left, 0) << "theme " << theme;
    EXPECT_EQ(a.TabRect(0).right, 5 * 6 + 14) << "theme " << theme;

    Scene b(300, 100, {"Tab 0", "Tab 1"}, 1, theme);
    b.state.ActiveTab = 1;
    b.Paint();
    EXPECT_EQ(b.TabRect(0).left, 2) << "theme " << theme;
    EXPECT_EQ(b.TabRect(0).right, 5 * 6 + 14 + 1) << "theme " << theme;
  }
}

TEST(TabPaintLayout, CaptionWidthTextFoldsAmpersandsAndDropsTheLastCharacter) {
  EXPECT_EQ(CaptionWidthText("Save&&Exit"), "Save&Exi");
  EXPECT_EQ(CaptionWidthText("E&xit"), "E&xi");
  EXPECT_EQ(CaptionWidthText("Plain"), "Plain");
  EXPECT_EQ(CaptionWidthText("A&&&&B"), "A&&");
  // A multi-byte last character goes whole.
  EXPECT_EQ(CaptionWidthText("设&置"), "设&");

  Scene s(300, 100, {"Save&&Exit", "x"}, 1, 2);
  s.Paint();
  EXPECT_EQ(s.TabRect(0).Width(), 8 * 6 + 14) << "measured as Save&Exi";
}

TEST(TabPaintLayout, CloseBoxesWidenTheme2TabsBy15And12) {
  Scene plain(400, 100, {"One", "Two", "Three"}, 1, 2);
  plain.state.ActiveTab = 1;
  plain.Paint();
  Scene boxed(400, 100, {"One", "Two", "Three"}, 1, 2);
  boxed.state.ActiveTab = 1;
  boxed.state.UseControlBox = true;
  boxed.Paint();
  EXPECT_EQ(boxed.TabRect(0).Width(), plain.TabRect(0).Width() + 12);
  EXPECT_EQ(boxed.TabRect(1).Width(), plain.TabRect(1).Width() + 15);
  EXPECT_EQ(boxed.TabRect(2).Width(), plain.TabRect(2).Width() + 12);
  // Theme 2 has no gaps: each tab starts where the previous one ends.
  EXPECT_EQ(boxed.TabRect(1).left, boxed.TabRect(0).right);
  const Rect r = boxed.TabRect(1);
  EXPECT_EQ(boxed.state.AryTabs[1].ControlBoxRect, (Rect{r.right - 13, r.top + 5, r.right - 3,
                                                         r.top + 15}));
}

TEST(TabPaintLayout, DefaultHeightsGiveH22WithInactiveTabsAtTopZero) {
  Scene s(300, 100, {"A", "B", "C"}, 1, 1);
  s.state.ActiveTab = 1;
  s.Paint();
  EXPECT_EQ(s.state.StripHeight(), 22);
  EXPECT_EQ(s.TabRect(0).top, 0);
  EXPECT_EQ(s.TabRect(1).top, 2);
  EXPECT_EQ(s.TabRect(2).top, 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(s.TabRect(i).bottom, 22) << "tab " << i;
  // Above the lower active tab the strip colour shows; inactive tabs have
  // their top edge in OuterBorderColor on row 0.
  const Rect active = s.TabRect(1);
  const int mid = (active.left + active.right) / 2;
  EXPECT_EQ(s.At(mid, 0), s.Ole(s.state.TabStripBackColor));
  EXPECT_EQ(s.At(mid, 1), s.Ole(s.state.TabStripBackColor));
  const Rect first = s.TabRect(0);
  EXPECT_EQ(s.At((first.left + first.right) / 2 - 1, 0), s.Ole(s.state.OuterBorderColor));
}

TEST(TabPaintLayout, TabbedDialogSharesTheWidthWithHalvesToEven) {
  Scene three(301, 80, {"a", "b", "c"}, 0, 1);
  three.Paint();
  EXPECT_EQ(three.TabRect(0).left, 0);
  EXPECT_EQ(three.TabRect(0).right, 100);
  EXPECT_EQ(three.TabRect(1).left, 100);
  EXPECT_EQ(three.TabRect(1).right, 200);
  EXPECT_EQ(three.TabRect(2).left, 200);
  EXPECT_EQ(three.TabRect(2).right, 300) << "last tab ends at ScaleWidth - 1";

  Scene four(250, 80, {"a", "b", "c", "d"}, 0, 0);
  four.Paint();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(four.TabRect(i).Width(), 62) << "round(62.5) = 62";
  EXPECT_EQ(four.TabRect(3).left, 186);
  EXPECT_EQ(four.TabRect(3).right, 249);
}

TEST(TabPaintLayout, Theme2LooksTheSameInBothStyles) {
  Scene pages(240, 90, {"One", "Two", "Three"}, 1, 2);
  Scene tabbed(240, 90, {"One", "Two", "Three"}, 0, 2);
  for (Scene* s : {&pages, &tabbed}) {
    s->state.ActiveTab = 1;
    s->state.UseControlBox = true;
    s->Paint();
  }
  int differing = 0;
  for (int y = 0; y < 90; ++y) {
    for (int x = 0; x < 240; ++x) differing += pages.At(x, y) != tabbed.At(x, y);
  }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(pages.TabRect(2), tabbed.TabRect(2));
}

TEST(TabPaintOrder, Theme3DefersTheFirstBackgroundUntilAfterTheTabs) {
  Scene s(200, 80, {"a", "b"}, 1, 3);
  const std::string page = "fill 0,23,199,79";  // (0, H+1, W-1, S-H-2) as a rectangle
  s.Paint();
  const auto& first = s.surface.log;
  const size_t firstRound = Find(first, "roundrect");
  ASSERT_LT(firstRound, first.size());
  EXPECT_EQ(Find(first, page), Find(first, page, firstRound)) << "no page before the tabs";
  EXPECT_LT(Find(first, page, firstRound), first.size()) << "page after the tabs";
  EXPECT_TRUE(s.state.BackgroundDeferred);

  s.surface.log.clear();
  s.Paint();
  const auto& second = s.surface.log;
  const size_t before = Find(second, page);
  const size_t round = Find(second, "roundrect");
  EXPECT_LT(before, round) << "later repaints paint the page first too";
  EXPECT_LT(Find(second, page, round), second.size());
  // The page covers the rounded bodies below the strip: its colour at the
  // bottom inside the first tab's columns.
  EXPECT_EQ(s.At(5, 60), s.Ole(s.state.ActiveTabBackStartColor));
}

TEST(TabPaintOrder, UnknownThemesAndStylesPaintOnlyTheClearedSurface) {
  for (auto [style, theme] : {std::pair{1, 7}, std::pair{0, 5}, std::pair{2, 1}}) {
    Scene s(60, 40, {"a", "b"}, style, 0);
    s.state.TabTheme = theme;
    s.Paint();
    const Rgb back = s.Ole(s.state.BackColor);
    int other = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 60; ++x) other += s.At(x, y) != back;
    }
    EXPECT_EQ(other, 0) << "style " << style << " theme " << theme;
  }
}

TEST(TabPaintOrder, NoTabsFailsTheTabbedDivisionButPaintsPropertyPages) {
  Scene tabbed(60, 40, {}, 0, 1);
  try {
    tabbed.Paint();
    FAIL() << "expected the division-by-zero error";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), kErrDivisionByZero);
    EXPECT_EQ(e.Source(), "TabStrip.pDrawMe");
  }
  Scene pages(60, 40, {}, 1, 0);
  EXPECT_NO_THROW(pages.Paint());
  EXPECT_EQ(pages.At(30, 30), pages.Ole(pages.state.ActiveTabBackEndColor));
}

TEST(TabPaintCaptions, TheMeasuredTextIsTheTextDrawn) {
  // Tabbed dialog: 40-pixel tabs cannot hold 16 characters; the measure call
  // shortens the caption and that text is drawn, centred by the formula.
  Scene s(80, 60, {"ABCDEFGHIJKLMNOP", "b"}, 0, 3);
  s.Paint();
  ASSERT_FALSE(s.surface.drawnTexts.empty());
  const std::string& drawn = s.surface.drawnTexts[0];
  EXPECT_NE(drawn, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(drawn.substr(drawn.size() - 3), "...");
  EXPECT_EQ(drawn.rfind("ABC", 0), 0u);
}

TEST(TabPaintCaptions, PicturesTakeTheMaskRouteAndWidenPropertyPagesTabs) {
  Scene plain(300, 80, {"Pic", "x"}, 1, 1);
  plain.Paint();
  Scene s(300, 80, {"Pic", "x"}, 1, 1);
  s.state.AryTabs[0].Picture = testing::DiamondPicture(MakeRgb(0, 128, 0));
  s.Paint();
  // P = min(16, H - 2) = 16, plus the theme's picture add of 1.
  EXPECT_EQ(s.TabRect(0).Width(), plain.TabRect(0).Width() + 17);
  ASSERT_EQ(s.surface.pictures.size(), 1u);
  EXPECT_TRUE(s.surface.pictures[0].transparent);
  EXPECT_EQ(s.surface.pictures[0].width, 16);

  s.state.UseMaskColor = false;
  s.surface.pictures.clear();
  s.Paint();
  ASSERT_EQ(s.surface.pictures.size(), 1u);
  EXPECT_FALSE(s.surface.pictures[0].transparent);
}

TEST(TabPaintCaptions, PicturePositionsPerAlignment) {
  // Tabbed dialog, theme 1, 200 pixels, two tabs of 100; tab 0 active with
  // the caption "Ab" (12 pixels), centred at 44..58 by the formula.
  const Point tabbed[4][2] = {{{4, 5}, {103, 5}},     // 0: left, active one further in
                              {{81, 5}, {181, 5}},    // 1: right, active one further in
                              {{27, 5}, {127, 5}},    // 2: left of the centred caption
                              {{59, 5}, {159, 5}}};   // 3: right of it
  for (int align = 0; align < 4; ++align) {
    Scene s(200, 60, {"Ab", "Ab"}, 0, 1);
    s.state.PictureAlign = align;
    for (TabItem& tab : s.state.AryTabs) tab.Picture = testing::DiamondPicture(MakeRgb(0, 99, 0));
    s.Paint();
    ASSERT_EQ(s.surface.pictures.size(), 2u) << "align " << align;
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(s.surface.pictures[i].x, tabbed[align][i].x) << "align " << align << " tab " << i;
      EXPECT_EQ(s.surface.pictures[i].y, tabbed[align][i].y) << "align " << align << " tab " << i;
    }
  }
  // Property pages, theme 3: a 46-pixel active tab; left picture at Left + 4,
  // right picture after the caption at B.Right + 5.
  for (auto [align, x] : {std::pair{0, 4}, std::pair{1, 26}}) {
    Scene s(300, 60, {"Ab"}, 1, 3);
    s.state.PictureAlign = align;
    s.state.AryTabs[0].Picture = testing::DiamondPicture(MakeRgb(0, 99, 0));
    s.Paint();
    EXPECT_EQ(s.TabRect(0), (Rect{0, 2, 46, 24}));
    ASSERT_EQ(s.surface.pictures.size(), 1u);
    EXPECT_EQ(s.surface.pictures[0].x, x) << "align " << align;
    EXPECT_EQ(s.surface.pictures[0].y, 5) << "align " << align;
  }
}

TEST(TabPaintEdges, FlatAndThreeDimensionalOutlinesAroundTheActiveTab) {
  // Tabs "A", "B", "C" are 20 pixels wide: 2..21, 21..41, 41..61; tab 1 active.
  const ClassicSystemColors sys;
  const Rgb white = *sys.SysColor(20), face = *sys.SysColor(15), shadow = *sys.SysColor(16);
  const Rgb dark = *sys.SysColor(21), gray = *sys.SysColor(17);

  Scene flat(120, 60, {"A", "B", "C"}, 1, 2);
  flat.state.ActiveTab = 1;
  flat.Paint();
  ASSERT_EQ(flat.TabRect(1), (Rect{21, 2, 41, 22}));
  EXPECT_EQ(flat.At(21, 10), white) << "active left edge";
  EXPECT_EQ(flat.At(41, 10), shadow) << "active right edge survives the next tab's fill";
  EXPECT_EQ(flat.At(30, 23), face) << "active tab opens into the page";
  EXPECT_EQ(flat.At(10, 23), white) << "strip bottom under an inactive tab";
  EXPECT_EQ(flat.At(60, 10), gray) << "separator of the last tab";
  EXPECT_NE(flat.At(20, 10), gray) << "no separator left of the active tab";

  Scene raised(120, 60, {"A", "B", "C"}, 1, 0);
  raised.state.ActiveTab = 1;
  raised.Paint();
  EXPECT_EQ(raised.At(0, 22), white) << "strip's left end closed";
  EXPECT_EQ(raised.At(1, 22), white);
  EXPECT_EQ(raised.At(21, 10), white) << "active left edge";
  EXPECT_EQ(raised.At(40, 10), dark) << "active outer right edge";
  EXPECT_EQ(raised.At(39, 10), shadow) << "active inner right edge";
}

TEST(TabPaintFocus, FocusRectangleOnlyForTheFocusedActiveTabInUserMode) {
  Scene s(200, 60, {"a", "b"}, 0, 1);
  s.state.IsFocused = true;
  s.Paint();
  EXPECT_EQ(std::count_if(s.surface.log.begin(), s.surface.log.end(),
                          [](const std::string& e) { return e.rfind("focus", 0) == 0; }),
            1);
  s.surface.log.clear();
  s.env.userMode = false;
  s.Paint();
  EXPECT_EQ(Find(s.surface.log, "focus"), s.surface.log.size());
}

}  // namespace
}  // namespace tarvex
