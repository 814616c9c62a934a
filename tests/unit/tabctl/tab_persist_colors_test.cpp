// Property-bag reading and writing, colour sets and theme detection.
#include "tabctl/tab_colors.h"
#include "unit/tabctl/tab_fixture.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

using TabPersist = TabFixture;
using TabColors = TabFixture;

TEST_F(TabPersist, NewControlWritesItsBlankedCaptionsAndBoldFont) {
  Make();
  PropertyBag bag;
  tab->WriteProperties(bag);
  // Creation captions differ from the reader's "Tab0" defaults, so they are stored.
  EXPECT_THAT(bag.Keys(), ElementsAre("TabCaption(0)", "TabCaption(1)", "TabCaption(2)",
                                      "ActiveTabFont", "DisabledTabBackColor",
                                      "DisabledTabForeColor", "ForeColor"));
  EXPECT_EQ(bag.ReadString("TabCaption(1)", ""), "Tab 1");
  EXPECT_TRUE(bag.ReadFont("ActiveTabFont", {}).bold);
  // Saved and read back, the control is the same.
  TabStrip& copy = MakeFromBag(bag);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Tab 0", "Tab 1", "Tab 2"}));
  EXPECT_EQ(copy.DisabledTabBackColor(), 0x8000000Fu);
  EXPECT_EQ(copy.ForeColor(), 0x80000012u);
  EXPECT_TRUE(copy.ActiveTabFont()->bold);
}

TEST_F(TabPersist, EmptyBagGivesUnblankedCaptionsAndReadsInOrder) {
  PropertyBag bag;
  TabStrip& t = MakeFromBag(bag);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Tab0", "Tab1", "Tab2"}));
  EXPECT_EQ(t.DisabledTabBackColor(), 0x80000010u);
  EXPECT_EQ(t.DisabledTabForeColor(), 0x80000014u);
  EXPECT_FALSE(t.ActiveTabFont()->bold);
  const std::vector<std::string> head = {
      "ActiveTab", "UseControlBox", "ShowFocusRect", "UseFocusedColor", "UseMaskColor",
      "UseMouseWheelScroll", "UseThemeDetection", "PictureAlign", "PictureSize", "TabStyle",
      "TabTheme", "ActiveTabBackEndColor", "ActiveTabBackStartColor", "ActiveTabForeColor",
      "ActiveTabHeight", "BottomRightInnerBorderColor", "DisabledTabBackColor",
      "DisabledTabForeColor", "FocusedColor", "HoverColor", "InActiveTabBackEndColor",
      "InActiveTabBackStartColor", "InActiveTabForeColor", "InActiveTabHeight",
      "OuterBorderColor", "TabCount", "TabStripBackColor", "TopLeftInnerBorderColor", "XRadius",
      "YRadius", "ActiveTabFont", "InActiveTabFont", "BackColor", "Enabled", "ForeColor",
      "PictureMaskColor", "TabCaption(0)", "TabEnabled(0)", "TabAccessKey(0)", "TabPicture(0)",
      "TabContCtrlCnt(0)", "TabCaption(1)"};
  const auto& log = bag.ReadLog();
  ASSERT_GE(log.size(), head.size());
  EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + static_cast<long>(head.size())),
              ElementsAreArray(head));
  EXPECT_EQ(log.size(), 36u + 3 * 5);
}

TEST_F(TabPersist, StoredValuesAreTakenDirectly) {
  PropertyBag bag;
  bag.Put("TabCount", int64_t{4});
  bag.Put("ActiveTab", int64_t{2});
  bag.Put("TabTheme", int64_t{1});
  bag.Put("OuterBorderColor", int64_t{0x123456});
  bag.Put("TabCaption(3)", std::string("&Last"));
  bag.Put("TabAccessKey(3)", int64_t{'Q'});  // taken as stored, not from the caption
  bag.Put("TabEnabled(1)", false);
  FakeChild& child = site.AddChild(77);
  TabStrip& t = MakeFromBag(bag);
  EXPECT_EQ(t.ActiveTab(), 2);
  EXPECT_EQ(t.TabTheme(), 1);
  EXPECT_EQ(t.OuterBorderColor(), 0x123456u);  // the theme's set is not reapplied
  EXPECT_FALSE(t.TabEnabled(1));
  EXPECT_EQ(t.AccessKeys(), "Q");
  EXPECT_EQ(child.left, 77);  // no switch, no child moved
  EXPECT_TRUE(events.log.empty());

  PropertyBag out;
  t.WriteProperties(out);
  EXPECT_EQ(out.ReadInt("TabAccessKey(3)", 0), 'Q');
  EXPECT_FALSE(out.Contains("TabContCtrlCnt(0)"));
  EXPECT_FALSE(out.Contains("TabCaption(0)"));  // "Tab0" is the default
}

TEST_F(TabPersist, BadStoredCountsAndActiveTabs) {
  PropertyBag zero;
  zero.Put("TabCount", int64_t{0});
  tab = std::make_unique<TabStrip>(site, events, Services());
  ControlError e = Failure([&] { tab->ReadProperties(zero); });
  EXPECT_EQ(e.Number(), 9);
  EXPECT_EQ(e.Source(), "TabStrip.UserControl_ReadProperties");

  PropertyBag wild;
  wild.Put("ActiveTab", int64_t{9});
  TabStrip& t = MakeFromBag(wild);
  EXPECT_EQ(t.ActiveTab(), 2);  // kept inside the tabs
}

TEST_F(TabColors, ThemeSets) {
  TabStrip& t = Make();
  t.SetTabTheme(1);
  EXPECT_EQ(t.ActiveTabBackStartColor(), 0xFBFDFBu);
  EXPECT_EQ(t.InActiveTabBackEndColor(), 0xEAF0F0u);
  EXPECT_EQ(t.OuterBorderColor(), 0x9B9C91u);
  EXPECT_EQ(t.TopLeftInnerBorderColor(), 0x80000014u);  // theme 1 leaves it

  t.SetActiveTabBackEndColor(0x010203);
  t.SetInActiveTabBackEndColor(0x040506);
  t.SetTabTheme(3);  // "–" for both end colours: kept
  EXPECT_EQ(t.ActiveTabBackEndColor(), 0x010203u);
  EXPECT_EQ(t.InActiveTabBackEndColor(), 0x040506u);
  EXPECT_EQ(t.ActiveTabForeColor(), 0xA76D50u);
  EXPECT_EQ(t.TabStripBackColor(), 0x8000000Fu);

  t.SetTabTheme(7);  // no set: every colour stays
  EXPECT_EQ(t.TabTheme(), 7);
  EXPECT_EQ(t.ActiveTabForeColor(), 0xA76D50u);
  t.SetTabTheme(0);
  EXPECT_EQ(t.ActiveTabForeColor(), 0x80000012u);
  EXPECT_EQ(t.ActiveTabBackEndColor(), 0x8000000Fu);
  EXPECT_THAT(site.control.changedProperties, ::testing::Contains("TabTheme"));
}

TEST_F(TabColors, RoundedTabsTakeTheBorderColourAsForeColorAndSaveIt) {
  for (int32_t style : {0, 1}) {
    SCOPED_TRACE(style);
    TabStrip& t = Make();
    t.SetTabStyle(style);
    t.SetTabTheme(2);
    t.SetOuterBorderColor(0x123456);
    EXPECT_NE(t.ForeColor(), 0x123456u);  // only the rounded tabs' pass sets it
    site.control.ClearLog();
    t.SetTabTheme(3);  // its colour set leaves OuterBorderColor, then paints
    t.SetOuterBorderColor(0x123456);
    EXPECT_EQ(t.ForeColor(), 0x123456u);
    EXPECT_THAT(site.control.changedProperties, ::testing::Contains("ForeColor"));
    PropertyBag saved;
    t.WriteProperties(saved);
    EXPECT_EQ(saved.ReadInt("ForeColor", -1), 0x123456);
  }
}

TEST_F(TabColors, DisabledTabPixelsInThemesZeroOneAndFour) {
  constexpr Rgb kButtonFace = MakeRgb(212, 208, 200);  // &H8000000F, classic colours
  struct Case {
    int32_t theme;
    Rgb fore;
  };
  // &H80000015 (3-D dark shadow) in theme 0, RGB(160, 160, 160) in themes 1 and 4.
  for (const Case c : {Case{0, MakeRgb(64, 64, 64)}, Case{1, MakeRgb(160, 160, 160)},
                       Case{4, MakeRgb(160, 160, 160)}}) {
    SCOPED_TRACE(c.theme);
    TabStrip& t = Make();
    t.SetTabTheme(c.theme);
    t.SetTabEnabled(2, false);
    t.Refresh();
    // Inside the outline the disabled tab is filled with the button face and
    // carries its caption in the disabled colour, and nothing else.
    const Rect r = t.State().AryTabs[2].TabRect;
    int caption = 0, other = 0;
    for (int y = r.top + 4; y < r.bottom; ++y) {
      for (int x = r.left + 4; x < r.right - 4; ++x) {
        const Rgb px = site.control.image.At(x, y);
        caption += px == c.fore;
        other += px != c.fore && px != kButtonFace;
      }
    }
    EXPECT_GT(caption, 20);
    EXPECT_EQ(other, 0);
    EXPECT_EQ(site.control.image.At((r.left + r.right) / 2, r.top + 2), kButtonFace);
  }
}

TEST_F(TabColors, ThemeFourFixesOffsetsOfTheInactiveCaptionColour) {
  TabStrip& t = Make();
  t.SetUseThemeDetection(true);
  t.SetPictureSize(1);
  t.SetTabTheme(4);
  const Rgb caption = t.GetRGBFromOLE(0x80000003);
  auto shifted = [&](int d) {
    auto ch = [d](int v) { return std::clamp(v + d, 0, 255); };
    return MakeRgb(ch(RedOf(caption)), ch(GreenOf(caption)), ch(BlueOf(caption)));
  };
  EXPECT_EQ(t.HoverColor(), shifted(16));
  EXPECT_EQ(t.FocusedColor(), shifted(-16));
  EXPECT_FALSE(IsSystemColor(t.HoverColor()));
  EXPECT_EQ(t.PictureMaskColor(), 0xFF00FFu);
  EXPECT_EQ(t.PictureSize(), 0);
  EXPECT_FALSE(t.UseThemeDetection());
}

TEST_F(TabColors, OleTranslation) {
  TabStrip& t = Make();
  EXPECT_EQ(t.GetRGBFromOLE(0x8000000F), *site.control.colors.SysColor(15));
  EXPECT_EQ(t.GetRGBFromOLE(0x123456), 0x123456u);
  EXPECT_EQ(t.GetRGBFromOLE(0x81000000), 0u);  // untranslatable: black
}

TEST(TabThemeDetection, OnlyXpCounts) {
  auto v = [](uint32_t p, uint32_t ma, uint32_t mi, uint32_t b) {
    return std::optional<OsVersion>(OsVersion{p, ma, mi, b});
  };
  EXPECT_TRUE(IsWinXPVersion(v(2, 5, 1, 2600)));
  EXPECT_FALSE(IsWinXPVersion(v(2, 5, 1, 2599)));
  EXPECT_FALSE(IsWinXPVersion(v(2, 5, 2, 3790)));
  EXPECT_FALSE(IsWinXPVersion(v(2, 6, 0, 6000)));
  EXPECT_FALSE(IsWinXPVersion(v(1, 5, 1, 2600)));
  EXPECT_FALSE(IsWinXPVersion(std::nullopt));

  FakeThemeInfo info;
  EXPECT_EQ(ThemeInfoText(&info), "NormalColor");
  info.theme = {0, std::string("  \0junk", 7)};
  EXPECT_EQ(ThemeInfoText(&info), "None");
  info.theme = {static_cast<int32_t>(0x80004005), "NormalColor"};
  EXPECT_EQ(ThemeInfoText(&info), "UxTheme_Error");
  info.version = OsVersion{2, 6, 1, 7601};
  EXPECT_EQ(ThemeInfoText(&info), "None");
  EXPECT_EQ(ThemeInfoText(nullptr), "None");
}

TEST_F(TabColors, DetectionSwitchesThemeWithoutReapplyingColours) {
  theme.version = OsVersion{2, 6, 1, 7601};
  TabStrip& t = Make();
  t.SetTabTheme(2);
  t.SetUseThemeDetection(true);  // not XP: theme 0 through the setter, colours applied
  EXPECT_EQ(t.TabTheme(), 0);
  EXPECT_EQ(t.InActiveTabForeColor(), 0x80000012u);
  t.SetUseThemeDetection(false);
  EXPECT_EQ(t.TabTheme(), 0);

  // On XP with a style, Refresh assigns theme 1 directly: the colours stay.
  theme.version = OsVersion{2, 5, 1, 2600};
  t.SetUseThemeDetection(true);
  EXPECT_EQ(t.TabTheme(), 1);
  t.SetTabTheme(0);  // theme 0 colours, but detection is still on
  t.Refresh();
  EXPECT_EQ(t.TabTheme(), 1);
  EXPECT_EQ(t.ActiveTabBackStartColor(), 0x8000000Fu);
}

TEST_F(TabColors, ResetAllColorsRefreshesOnce) {
  TabStrip& t = Make();
  t.Refresh();
  t.SetOuterBorderColor(0x111111);
  site.control.refreshCount = 0;
  t.ResetAllColors();
  EXPECT_EQ(t.OuterBorderColor(), 0x80000015u);
  EXPECT_EQ(site.control.refreshCount, 1);
  EXPECT_FALSE(t.State().RefreshBusy);
}

}  // namespace
}  // namespace tarvex
