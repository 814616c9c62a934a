// The XOR hover/focus overlay, the close box and the focus toggle on the raster:
// removal by a second painting, the skip rules, exact pixel values, the halves
// drawn for the active tab's neighbours, the hover timer and the close box looks.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "platform/system_colors.h"
#include "recording_surface.h"
#include "support/fake_site.h"
#include "support/tab_scenes.h"
#include "tabctl/tab_paint.h"

namespace tarvex {
namespace {

using testing::RecordingSurface;

struct Scene {
  explicit Scene(int32_t style, int32_t w = 400, int32_t h = 120)
      : surface(w, h), env{surface, sys}, state(testing::MainWindowTabState()) {
    state.TabStyle = style;
    state.ActiveTab = 1;
  }
  void Paint() { PaintTabStrip(state, env); }
  std::vector<Rgb> Snapshot() const {
    std::vector<Rgb> px;
    for (int y = 0; y < surface.Height(); ++y) {
      for (int x = 0; x < surface.Width(); ++x) px.push_back(surface.raster.At(x, y));
    }
    return px;
  }
  // Pixels that differ between two snapshots, leaving out the given positions.
  int Differences(const std::vector<Rgb>& a, const std::vector<Rgb>& b,
                  const std::set<std::pair<int, int>>& skip = {}) const {
    int n = 0;
    for (int y = 0; y < surface.Height(); ++y) {
      for (int x = 0; x < surface.Width(); ++x) {
        const size_t i = static_cast<size_t>(y) * surface.Width() + x;
        if (a[i] != b[i] && skip.count({x, y}) == 0) ++n;
      }
    }
    return n;
  }
  void OverlayOn(int32_t tab) {
    state.HoverTab = tab;
    state.OverlayRect = state.AryTabs[static_cast<size_t>(tab)].TabRect;
    pDrawOverXOred(state, env);
  }
  std::set<std::pair<int, int>> PixelsSet() const {
    std::set<std::pair<int, int>> s;
    for (Point p : surface.pixels) s.insert({p.x, p.y});
    return s;
  }

  ClassicSystemColors sys;
  RecordingSurface surface;
  TabPaintEnv env;
  TabStripState state;
};

TEST(TabOverlay, PaintingTwiceRestoresEveryLineAndBandPixel) {
  for (int style : {0, 1}) {
    for (int tab : {0, 1, 2, 3}) {
      Scene s(style);
      s.state.HoverTab = 1;
      s.Paint();
      const std::vector<Rgb> before = s.Snapshot();
      s.surface.pixels.clear();
      s.OverlayOn(tab);
      const std::vector<Rgb> shown = s.Snapshot();
      s.OverlayOn(tab);
      const auto single = s.PixelsSet();
      EXPECT_GT(s.Differences(before, shown, single), 20) << "style " << style << " tab " << tab;
      EXPECT_EQ(s.Differences(before, s.Snapshot(), single), 0)
          << "style " << style << " tab " << tab;
    }
  }
}

TEST(TabOverlay, NothingIsPaintedWhenTheMarkingColourEqualsTheTabBackground) {
  Scene s(1);
  s.Paint();
  const std::vector<Rgb> before = s.Snapshot();
  s.surface.pixels.clear();
  s.state.HoverColor = s.state.InActiveTabBackStartColor;
  s.OverlayOn(0);
  s.state.HoverColor = s.state.ActiveTabBackStartColor;
  s.OverlayOn(2);
  s.state.FocusedColor = s.state.ActiveTabBackStartColor;
  s.OverlayOn(1);
  EXPECT_EQ(s.Differences(before, s.Snapshot()), 0);
  EXPECT_TRUE(s.surface.pixels.empty());
}

TEST(TabOverlay, ActiveTabPixelsOfTheFocusedPattern) {
  // Main window colours: O = (145,156,155), c = FocusedColor (105,130,238),
  // strip S = classic button face (212,208,200).
  Scene s(1);
  s.state.HoverTab = 1;
  s.Paint();  // the repaint ends with the active tab's overlay
  const Rect r = s.state.AryTabs[1].TabRect;
  EXPECT_EQ(s.state.OverlayRect, r);
  auto at = [&](int x, int y) { return s.surface.raster.At(x, y); };
  // j: O XOR blend(white, O, 128) = (145,156,155) ^ (200,206,205)
  EXPECT_EQ(at(r.left + 2, r.top), MakeRgb(145 ^ 200, 156 ^ 206, 155 ^ 205));
  EXPECT_EQ(at(r.right - 3, r.top), MakeRgb(145 ^ 200, 156 ^ 206, 155 ^ 205));
  // i overwrites b and g on row Top+3: O XOR off(c, -34) = O ^ (71,96,204)
  EXPECT_EQ(at(r.left, r.top + 3), MakeRgb(145 ^ 71, 156 ^ 96, 155 ^ 204));
  // h: O XOR off(c, -32) = O ^ (73,98,206)
  EXPECT_EQ(at(r.right - 1, r.top + 2), MakeRgb(145 ^ 73, 156 ^ 98, 155 ^ 206));
  // k: S XOR blend(off(c,-32), S, 50): 50/255 of (73,98,206) + 205/255 of S
  //    = (185,186,201) -> S ^ that
  EXPECT_EQ(at(r.left + 1, r.top), MakeRgb(212 ^ 185, 208 ^ 186, 200 ^ 201));
  // Band (step a, XOR x) over the active fill g = (251,253,251): g ^ x = c.
  EXPECT_EQ(at((r.left + r.right) / 2, r.top + 2), MakeRgb(105, 130, 238));
}

TEST(TabOverlay, NeighboursOfTheActiveTabGetTheHalfAwayFromIt) {
  Scene s(1);
  s.state.HoverTab = 1;
  s.Paint();
  const Rect left = s.state.AryTabs[0].TabRect;
  const int leftMid = (left.left + left.right) / 2;
  s.surface.pixels.clear();
  s.OverlayOn(0);
  ASSERT_FALSE(s.surface.pixels.empty());
  for (Point p : s.surface.pixels) EXPECT_LT(p.x, leftMid) << p.x << "," << p.y;
  // Step i of the left neighbour uses off(c, -37); c = HoverColor (255,199,59).
  EXPECT_EQ(s.surface.raster.At(left.left, left.top + 3),
            MakeRgb(145 ^ 218, 156 ^ 162, 155 ^ 22));

  const Rect right = s.state.AryTabs[2].TabRect;
  s.surface.pixels.clear();
  s.OverlayOn(2);
  ASSERT_FALSE(s.surface.pixels.empty());
  for (Point p : s.surface.pixels) {
    EXPECT_GE(p.x, (right.left + right.right) / 2) << p.x << "," << p.y;
  }
}

TEST(TabOverlay, TabbedPixelsAreMirrored) {
  Scene s(0);
  s.Paint();
  s.surface.pixels.clear();
  s.OverlayOn(3);
  const Rect r = s.state.OverlayRect;
  const auto set = s.PixelsSet();
  ASSERT_EQ(set.size(), 24u);  // 12 positions per side
  for (auto [x, y] : set) {
    EXPECT_EQ(set.count({r.left + r.right - x, y}), 1u) << x << "," << y;
  }
}

TEST(TabOverlay, HoverShowsWithTheTimerAndTheRemovalStepTakesItAway) {
  FakeControlSite site(400, 120);
  ClassicSystemColors sys;
  TabStripState state = testing::MainWindowTabState();
  state.ActiveTab = 1;
  state.HoverTab = 1;
  TabPaintEnv env = TabPaintEnv::FromSite(site);
  PaintTabStrip(state, env);
  const Rect r = state.AryTabs[2].TabRect;
  const Point band{(r.left + r.right) / 2, r.top + 2};
  const Rgb plain = site.image.At(band.x, band.y);

  state.HoverTab = 2;
  pDrawOnMouseOverProperty(state, env);
  EXPECT_TRUE(state.HoverDrawn);
  EXPECT_EQ(state.OverlayRect, r);
  EXPECT_TRUE(site.TimerRunning(kHoverTimerId));
  EXPECT_NE(site.image.At(band.x, band.y), plain);

  RemoveHoverOverlay(state, env);
  EXPECT_FALSE(state.HoverDrawn);
  EXPECT_FALSE(site.TimerRunning(kHoverTimerId));
  EXPECT_EQ(site.image.At(band.x, band.y), plain);
  RemoveHoverOverlay(state, env);  // nothing shown: no second XOR
  EXPECT_EQ(site.image.At(band.x, band.y), plain);
}

TEST(TabCloseBox, LooksPerStateAndTheme0SingleCallsPaintNothing) {
  Scene s(1);
  s.state.UseControlBox = true;
  s.Paint();
  const Rect c = s.state.AryTabs[0].ControlBoxRect;
  auto at = [&](int x, int y) { return s.surface.raster.At(x, y); };
  // Outline in OuterBorderColor, cross in it darkened by 192 (clamped to 0).
  EXPECT_EQ(at(c.left + 4, c.top), MakeRgb(145, 156, 155));
  EXPECT_EQ(at(c.left + 3, c.top + 3), MakeRgb(0, 0, 0));
  // Normal look: interior in the active tab colours (251,253,251).
  EXPECT_EQ(at(c.left + 1, c.top + 5), MakeRgb(251, 253, 251));

  DrawControlBox(s.state, s.env, 2, 0);
  EXPECT_EQ(at(c.left + 1, c.top + 5), MakeRgb(203, 205, 203)) << "pressed: end - 48";
  const Rect other = s.state.AryTabs[1].ControlBoxRect;
  EXPECT_EQ(at(other.left + 1, other.top + 5), MakeRgb(251, 253, 251)) << "one tab only";

  s.state.TabTheme = 0;
  const auto before = s.Snapshot();
  DrawControlBox(s.state, s.env, 1, 0);
  EXPECT_EQ(s.Differences(before, s.Snapshot()), 0);
}

TEST(TabFocusToggle, TwoCallsRestoreAndNothingOutsideUserModeOrWithoutTheFlag) {
  for (int style : {0, 1}) {
    Scene s(style);
    s.state.ShowFocusRect = true;
    s.Paint();
    const auto before = s.Snapshot();
    ShowHideFocus(s.state, s.env);
    EXPECT_GT(s.Differences(before, s.Snapshot()), 10) << "style " << style;
    ShowHideFocus(s.state, s.env);
    EXPECT_EQ(s.Differences(before, s.Snapshot()), 0) << "style " << style;

    s.env.userMode = false;
    ShowHideFocus(s.state, s.env);
    s.env.userMode = true;
    s.state.ShowFocusRect = false;
    ShowHideFocus(s.state, s.env);
    EXPECT_EQ(s.Differences(before, s.Snapshot()), 0) << "style " << style;
  }
}

TEST(TabOverlay, BlendWeightsUseOnlyTheLowByte) {
  const Rgb a = MakeRgb(200, 100, 0), b = MakeRgb(0, 100, 200);
  EXPECT_EQ(pBlendColors(a, b, 255), a);
  EXPECT_EQ(pBlendColors(a, b, 0), b);
  EXPECT_EQ(pBlendColors(a, b, 256), b);
  EXPECT_EQ(pBlendColors(a, b, 128), MakeRgb(100, 100, 100));  // 100.39 / 99.61
}

}  // namespace
}  // namespace tarvex
