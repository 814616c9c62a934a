// The tab model: creation, tab count, switching, captions and access keys,
// inserting and removing tabs, and the error sources of nested failures.
#include "unit/tabctl/tab_fixture.h"

namespace tarvex {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

using TabModel = TabFixture;

TEST_F(TabModel, NewControlHasThreeEnabledTabsWithBlankedCaptions) {
  TabStrip& t = Make();
  EXPECT_EQ(t.TabCount(), 3);
  EXPECT_THAT(Captions(), ElementsAre("Tab 0", "Tab 1", "Tab 2"));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(t.TabEnabled(i));
  EXPECT_EQ(t.ActiveTab(), 0);
  EXPECT_EQ(t.LastActiveTab(), 0);
  EXPECT_TRUE(t.ActiveTabFont()->bold);
  EXPECT_FALSE(t.InActiveTabFont()->bold);
  // The disabled colours come from the theme-0 set, not the bag defaults.
  EXPECT_EQ(t.DisabledTabBackColor(), 0x8000000Fu);
  EXPECT_EQ(t.DisabledTabForeColor(), 0x80000015u);
  EXPECT_EQ(t.FocusedColor(), 0xEE8269u);
  EXPECT_EQ(t.HoverColor(), 0x3BC7FFu);
  EXPECT_EQ(t.PictureMaskColor(), 0xC0C0C0u);
  EXPECT_EQ(t.Version(false), "1.0.85");
  EXPECT_EQ(t.Version(true), "1.0.85 (11/13/2006 8:07:02 AM )");
}

TEST_F(TabModel, TabCountRules) {
  TabStrip& t = Make();
  t.SetTabCount(5);
  EXPECT_THAT(Captions(), ElementsAre("Tab 0", "Tab 1", "Tab 2", "Tab 3", "Tab 4"));
  t.SetActiveTab(4);
  events.log.clear();
  site.control.changedProperties.clear();

  t.SetTabCount(2);  // tab 4 was active: tab 1 becomes active, quietly
  EXPECT_EQ(t.TabCount(), 2);
  EXPECT_EQ(t.ActiveTab(), 1);
  EXPECT_TRUE(events.log.empty());
  EXPECT_THAT(site.control.changedProperties, Contains("TabCount"));
  EXPECT_THAT(site.control.changedProperties, Not(Contains("ActiveTab")));

  for (int bad : {0, -3}) {
    ControlError e = Failure([&] { t.SetTabCount(bad); });
    EXPECT_EQ(e.Number(), 380);
    EXPECT_EQ(e.Source(), "TabStrip.TabCount");
    EXPECT_EQ(t.TabCount(), 2);
  }

  t.SetTabCount(1);
  EXPECT_EQ(t.ActiveTab(), 0);
}

TEST_F(TabModel, SwitchingRaisesEventsAroundTheSwitch) {
  TabStrip& t = Make();
  t.Refresh();
  events.log.clear();
  t.SetActiveTab(2);
  EXPECT_THAT(events.log, ElementsAre("BeforeTabSwitch(2)", "TabSwitch(0)"));
  EXPECT_EQ(t.LastActiveTab(), 0);
  EXPECT_EQ(t.State().HoverTab, 2);

  events.log.clear();
  t.SetActiveTab(2);  // already active: nothing
  EXPECT_TRUE(events.log.empty());

  t.SetActiveTab(-1);  // out of range: tab 0
  EXPECT_EQ(t.ActiveTab(), 0);
  t.SetActiveTab(1);
  t.SetActiveTab(3);  // == TabCount: tab 0
  EXPECT_EQ(t.ActiveTab(), 0);
  EXPECT_EQ(t.LastActiveTab(), 1);

  // Code may activate a disabled tab; only mouse and keys refuse it.
  t.SetTabEnabled(2, false);
  t.SetActiveTab(2);
  EXPECT_EQ(t.ActiveTab(), 2);
}

TEST_F(TabModel, CancelledSwitchChangesNothing) {
  TabStrip& t = Make();
  t.SetActiveTab(1);
  FakeChild& child = site.AddChild(120);
  events.log.clear();
  events.onBefore = [](int16_t, bool& cancel) { cancel = true; };
  t.SetActiveTab(2);
  EXPECT_EQ(t.ActiveTab(), 1);
  EXPECT_EQ(t.LastActiveTab(), 0);
  EXPECT_EQ(child.left, 120);
  EXPECT_THAT(events.log, ElementsAre("BeforeTabSwitch(2)"));
}

TEST_F(TabModel, AccessKeysFromCaptions) {
  TabStrip& t = Make();
  t.SetTabCaption(0, "Save && E&xit");
  EXPECT_EQ(t.State().AryTabs[0].AccessKey, 88);
  t.SetTabCaption(1, "A&&B");
  EXPECT_EQ(t.State().AryTabs[1].AccessKey, 0);
  t.SetTabCaption(2, "&open");
  EXPECT_EQ(t.State().AryTabs[2].AccessKey, 'O');
  EXPECT_EQ(t.AccessKeys(), "XO");
  EXPECT_EQ(site.control.accessKeys, "XO");

  // Replacing a caption drops its old letter and adds the new one.
  t.SetTabCaption(0, "&Print");
  EXPECT_EQ(t.AccessKeys(), "PO");
  // A letter shared by two tabs survives when one of them changes.
  t.SetTabCaption(1, "&Other");
  t.SetTabCaption(2, "Plain");
  EXPECT_EQ(t.AccessKeys(), "PO");
}

TEST_F(TabModel, CaptionEndingInSingleAmpersandFailsWithoutChangingTheTab) {
  TabStrip& t = Make();
  t.SetTabCaption(1, "&Go");
  ControlError e = Failure([&] { t.SetTabCaption(1, "Bad&"); });
  EXPECT_EQ(e.Number(), 5);
  EXPECT_EQ(e.Source(), "TabStrip.TabCaption");
  EXPECT_EQ(t.TabCaption(1), "&Go");
  EXPECT_EQ(t.AccessKeys(), "G");
  // "Bad&&" is a literal ampersand, not a dangling marker.
  t.SetTabCaption(1, "Bad&&");
  EXPECT_EQ(t.State().AryTabs[1].AccessKey, 0);
}

TEST_F(TabModel, IndexedMembersOutOfRange) {
  TabStrip& t = Make();
  EXPECT_EQ(t.TabCaption(3), "");
  EXPECT_EQ(t.TabCaption(-1), "");
  EXPECT_FALSE(t.TabEnabled(7));
  ControlError getPicture = Failure([&] { (void)t.TabPicture(3); });
  EXPECT_EQ(getPicture.Number(), 9);
  EXPECT_EQ(getPicture.Source(), "TabStrip.TabPicture");
  EXPECT_EQ(Failure([&] { t.SetTabCaption(3, "x"); }).Number(), 9);
  EXPECT_EQ(Failure([&] { t.SetTabEnabled(-1, true); }).Source(), "TabStrip.TabEnabled");
  EXPECT_EQ(Failure([&] { t.SetTabPicture(3, nullptr); }).Number(), 9);
}

TEST_F(TabModel, PicturesAndImageLists) {
  TabStrip& t = Make();
  auto pic = std::make_shared<Picture>();
  pic->width = pic->height = 2;
  pic->pixels.assign(4, 0x123456);
  struct TwoImages {
    PicturePtr pic;
    std::optional<PicturePtr> Picture(int index) const {
      if (index > 2) return std::nullopt;
      return pic;
    }
  } list{pic};
  t.SetTabPicture(2, pic);
  t.CopyTabImagesFromImageList(list);  // stops at the third, already cleared
  EXPECT_EQ(t.TabPicture(0), pic);
  EXPECT_EQ(t.TabPicture(1), pic);
  EXPECT_EQ(t.TabPicture(2), nullptr);
  t.RemoveTabImages(0, false);
  EXPECT_EQ(t.TabPicture(0), nullptr);
  EXPECT_EQ(t.TabPicture(1), pic);
  t.RemoveTabImages(-1, true);
  EXPECT_EQ(t.TabPicture(1), nullptr);
}

TEST_F(TabModel, InsertAfterZeroKeepsThePreviouslyActiveTab) {
  TabStrip& t = Make();
  t.SetTabCaption(0, "A");
  t.SetTabCaption(1, "B");
  t.SetTabCaption(2, "C");
  t.SetActiveTab(1);
  events.log.clear();
  site.lockLog.clear();
  t.InsertTab(0, "N");
  EXPECT_THAT(Captions(), ElementsAre("A", "N", "B", "C"));
  EXPECT_EQ(t.ActiveTab(), 2);
  EXPECT_THAT(events.log, ElementsAre("BeforeTabSwitch(0)", "TabSwitch(1)", "BeforeTabSwitch(2)",
                                      "TabSwitch(0)", "TabInsert(0)"));
  EXPECT_THAT(site.lockLog, ElementsAre(true, false));
}

TEST_F(TabModel, InsertInFrontMovesCaptionsAndChildren) {
  TabStrip& t = Make();
  t.SetTabCaption(0, "&A");
  t.SetTabCaption(1, "B");
  t.SetTabCaption(2, "C");
  t.SetTabEnabled(0, false);
  t.SetActiveTab(1);
  // Real position 100 on each tab, seen with tab 1 active.
  FakeChild& c0 = site.AddChild(100 + 10000);
  FakeChild& c1 = site.AddChild(100);
  FakeChild& c2 = site.AddChild(100 - 10000);
  t.InsertTab(-1, "N");
  EXPECT_THAT(Captions(), ElementsAre("N", "&A", "B", "C"));
  EXPECT_EQ(t.State().AryTabs[1].AccessKey, 'A');
  // Enabled flags stay with their positions.
  EXPECT_FALSE(t.TabEnabled(0));
  EXPECT_TRUE(t.TabEnabled(1));
  EXPECT_EQ(t.ActiveTab(), 2);
  // Tab 2 (old tab 1) is active: its child is back at its real place.
  EXPECT_EQ(c1.left, 100);
  EXPECT_EQ(c0.left, 100 + 10000);
  EXPECT_EQ(c2.left, 100 - 10000);
}

TEST_F(TabModel, InsertAndRemoveMoveCaptionsThroughTheCaptionSetter) {
  TabStrip& t = Make();
  t.SetTabCaption(0, "&Alpha");
  t.SetTabCaption(1, "&Beta");
  t.SetTabCaption(2, "&Gamma");
  auto captionNotices = [&] {
    const auto& names = site.control.changedProperties;
    return std::count(names.begin(), names.end(), "TabCaption");
  };
  site.control.ClearLog();
  t.InsertTab(-1, "&New");  // three captions move up, then the new one
  EXPECT_EQ(captionNotices(), 4);
  EXPECT_EQ(site.control.accessKeys, "NABG");

  site.control.ClearLog();
  t.RemoveTab(1);  // "&Alpha" goes; "&Beta" and "&Gamma" move down
  EXPECT_THAT(Captions(), ElementsAre("&New", "&Beta", "&Gamma"));
  EXPECT_EQ(captionNotices(), 2);
  EXPECT_EQ(site.control.accessKeys, "NBG");
  int16_t key = 'g';
  t.OnAccessKeyPress(key);
  EXPECT_EQ(t.TabCaption(t.ActiveTab()), "&Gamma");
}

TEST_F(TabModel, RemoveTabChoosesTheActiveTab) {
  TabStrip& t = Make();
  t.SetTabCount(4);
  for (int i = 0; i < 4; ++i) t.SetTabCaption(i, std::string(1, static_cast<char>('A' + i)));

  t.SetActiveTab(2);
  t.RemoveTab(0);  // before the active one: the same tab stays active
  EXPECT_THAT(Captions(), ElementsAre("B", "C", "D"));
  EXPECT_EQ(t.TabCaption(t.ActiveTab()), "C");

  t.RemoveTab(2);  // after it: unchanged
  EXPECT_EQ(t.TabCaption(t.ActiveTab()), "C");

  events.log.clear();
  t.RemoveTab(1);  // the active (and last) one: the last tab
  EXPECT_THAT(Captions(), ElementsAre("B"));
  EXPECT_EQ(t.ActiveTab(), 0);
  EXPECT_EQ(events.log.back(), "TabRemove(1)");

  events.log.clear();
  site.lockLog.clear();
  t.RemoveTab(0);  // one tab: nothing at all, even with a bad index
  t.RemoveTab(99);
  EXPECT_EQ(t.TabCount(), 1);
  EXPECT_TRUE(events.log.empty());
  EXPECT_TRUE(site.lockLog.empty());
}

TEST_F(TabModel, RemovingTheActiveMiddleTabActivatesTheOneInItsPlace) {
  TabStrip& t = Make();
  t.SetTabCaption(0, "A");
  t.SetTabCaption(1, "B");
  t.SetTabCaption(2, "C");
  t.SetActiveTab(1);
  t.RemoveTab(1);
  EXPECT_THAT(Captions(), ElementsAre("A", "C"));
  EXPECT_EQ(t.ActiveTab(), 1);
}

TEST_F(TabModel, OutOfRangeInsertAndRemoveReleaseTheLock) {
  TabStrip& t = Make();
  for (int bad : {-2, 3}) {
    ControlError e = Failure([&] { t.InsertTab(bad, "x"); });
    EXPECT_EQ(e.Number(), 9);
    EXPECT_EQ(e.Source(), "TabStrip.InsertTab");
  }
  EXPECT_EQ(Failure([&] { t.RemoveTab(3); }).Source(), "TabStrip.RemoveTab");
  EXPECT_EQ(t.TabCount(), 3);
  EXPECT_EQ(Failure([&] { t.InsertTab(0, "bad&"); }).Number(), 5);
  EXPECT_EQ(t.TabCount(), 3);

  // A failure half-way (the host's handler raises) still releases the lock.
  site.lockLog.clear();
  events.onBefore = [](int16_t n, bool&) {
    if (n == 3) throw ControlError(1001, "Host", "host refused");
  };
  t.SetActiveTab(2);
  ControlError e = Failure([&] { t.InsertTab(0, "N"); });
  EXPECT_EQ(e.Number(), 1001);
  EXPECT_EQ(e.Description(), "host refused");
  EXPECT_EQ(e.Source(), "TabStrip.InsertTab");
  EXPECT_THAT(site.lockLog, ElementsAre(true, false));
}

TEST_F(TabModel, NestedFailuresCarryTheOuterMembersSource) {
  TabStrip& t = Make();
  events.onBefore = [](int16_t, bool&) { throw ControlError(380, "Inner", "", "help.chm", 42); };
  ControlError direct = Failure([&] { t.SetActiveTab(1); });
  EXPECT_EQ(direct.Source(), "TabStrip.ActiveTab");
  EXPECT_EQ(direct.HelpFile(), "help.chm");
  EXPECT_EQ(direct.HelpContext(), 42);
  ControlError viaKey = Failure([&] {
    int16_t key = tabkey::kRight, shift = 0;
    t.OnKeyDown(key, shift);
  });
  EXPECT_EQ(viaKey.Source(), "TabStrip.UserControl_KeyDown");
  EXPECT_EQ(viaKey.Number(), 380);
  // The guard set by the key handler is cleared again.
  EXPECT_FALSE(t.State().RefreshBusy);
}

TEST_F(TabModel, RefreshRaisesAfterCompleteInitOnceAtRunTime) {
  TabStrip& t = Make();
  t.Refresh();
  t.Refresh();
  EXPECT_EQ(std::count(events.log.begin(), events.log.end(), "AfterCompleteInit"), 1);
  EXPECT_TRUE(t.State().InitDone);
  EXPECT_FALSE(t.State().RefreshBusy);

  site.control.userMode = false;
  TabStrip designed(site, events, Services());
  designed.InitProperties();
  events.log.clear();
  designed.Refresh();
  EXPECT_TRUE(events.log.empty());
  EXPECT_FALSE(designed.State().AutoRedraw);
}

TEST_F(TabModel, OutOfSightChangesPaintOnceWhenTheHostPaints) {
  TabStrip& t = Make();
  t.SetTabCount(4);
  t.Refresh();
  auto pixels = [&] {
    const RasterSurface& image = site.control.image;
    return std::vector<uint32_t>(image.Data(), image.Data() + image.Width() * image.Height());
  };
  const std::vector<uint32_t> before = pixels();
  site.control.inSight = false;
  for (int i = 0; i < 4; ++i) t.SetTabCaption(i, "Page " + std::to_string(i));
  t.SetActiveTab(2);
  EXPECT_EQ(pixels(), before) << "nothing painted out of sight";

  const int refreshes = site.control.refreshCount;
  t.BeforePaint();
  const std::vector<uint32_t> painted = pixels();
  EXPECT_NE(painted, before);
  EXPECT_EQ(site.control.refreshCount, refreshes) << "the host is painting already";
  std::vector<Rect> rects;
  for (const TabItem& tab : t.State().AryTabs) rects.push_back(tab.TabRect);
  // What the host's paint showed is what painting at once would have shown.
  site.control.inSight = true;
  t.Refresh();
  EXPECT_EQ(pixels(), painted);
  for (size_t i = 0; i < rects.size(); ++i) EXPECT_EQ(t.State().AryTabs[i].TabRect, rects[i]) << i;
  EXPECT_FALSE(t.State().RefreshBusy);
}

TEST_F(TabModel, TeardownReturnsChildrenToTabZero) {
  TabStrip& t = Make();
  FakeChild& c0 = site.AddChild(50);
  t.SetActiveTab(2);
  EXPECT_EQ(c0.left, 50 + 20000);
  tab.reset();
  EXPECT_EQ(c0.left, 50);
  EXPECT_EQ(events.log.back(), "TabSwitch(2)");
}

}  // namespace
}  // namespace tarvex
