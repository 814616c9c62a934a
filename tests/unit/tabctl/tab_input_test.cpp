// Input: clicks, keys, access keys, hover and its timer, and the intercepted
// messages (wheel, close box, mouse enter/leave, the form's moving and sizing).
#include "unit/tabctl/tab_fixture.h"

namespace tarvex {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

constexpr int64_t kSelf = 0x100;
constexpr int64_t kForm = 0x200;

class TabInput : public TabFixture {
 protected:
  // A run-time control read from an empty bag (hooks installed), painted once so
  // every TabRect is laid out.
  TabStrip& Ready(int tabs = 3) {
    PropertyBag bag;
    bag.Put("TabCount", int64_t{tabs});
    MakeFromBag(bag);
    tab->Refresh();
    events.log.clear();
    return *tab;
  }
  const Rect& TabRect(int i) const { return tab->State().AryTabs[static_cast<size_t>(i)].TabRect; }
  Point Centre(const Rect& r) const { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  void Click(float x, float y, int16_t button = tabkey::kLeftButton) { tab->OnMouseDown(button, 0, x, y); }
  void Key(int16_t code, int16_t shift = 0) { tab->OnKeyDown(code, shift); }
  // Sends a message to the control's window through its procedure chain.
  void SendSelf(uint32_t msg, uint64_t wParam = 0) { windows.Send(kSelf, msg, wParam, 0); }
  std::vector<Rgb> Snapshot() const {
    std::vector<Rgb> px;
    const RasterSurface& image = site.control.image;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) px.push_back(image.At(x, y));
    return px;
  }
  // "" when the control's image equals `before`, else where it first differs.
  std::string FirstDifference(const std::vector<Rgb>& before) const {
    const std::vector<Rgb> now = Snapshot();
    const int w = site.control.image.Width();
    for (size_t i = 0; i < now.size(); ++i) {
      if (now[i] != before[i]) return std::to_string(i % w) + "," + std::to_string(i / w);
    }
    return "";
  }
  static uint64_t Wheel(int16_t delta) {
    return static_cast<uint64_t>(static_cast<uint16_t>(delta)) << 16;
  }
};

TEST_F(TabInput, ClickRule) {
  TabStrip& t = Ready();
  const Rect r1 = TabRect(1);
  const int32_t h = t.State().StripHeight();
  Click(static_cast<float>(r1.left + 2), static_cast<float>(h + 1));  // below the strip
  EXPECT_EQ(t.ActiveTab(), 0);
  EXPECT_THAT(events.log, ElementsAre("MouseDown(1,0," + std::to_string(r1.left + 2) + "," +
                                      std::to_string(h + 1) + ")"));

  Click(static_cast<float>(r1.right), static_cast<float>(r1.bottom));  // edges count
  EXPECT_EQ(t.ActiveTab(), 1);
  EXPECT_FALSE(t.State().RefreshBusy);

  events.log.clear();
  Click(static_cast<float>(Centre(TabRect(1)).x), 5);  // the active tab
  EXPECT_THAT(events.log, Not(Contains("BeforeTabSwitch(1)")));

  t.SetTabEnabled(2, false);
  Click(static_cast<float>(Centre(TabRect(2)).x), 5);
  EXPECT_EQ(t.ActiveTab(), 1);

  Click(static_cast<float>(Centre(TabRect(0)).x), 5, 2);  // right button: event only
  EXPECT_EQ(t.ActiveTab(), 1);
}

TEST_F(TabInput, MousePressWhileBusyIsDroppedEntirely) {
  TabStrip& t = Ready();
  const Point c0 = Centre(TabRect(0));
  events.onBefore = [&t, c0](int16_t, bool&) {
    t.OnMouseDown(tabkey::kLeftButton, 0, static_cast<float>(c0.x), static_cast<float>(c0.y));
    t.OnMouseUp(tabkey::kLeftButton, 0, 1, 1);
  };
  Key(tabkey::kRight);
  EXPECT_EQ(t.ActiveTab(), 1);
  EXPECT_THAT(events.log, ElementsAre("BeforeTabSwitch(1)", "TabSwitch(0)", "KeyDown(39,0)"));
  events.onBefore = nullptr;
}

TEST_F(TabInput, ArrowAndPageKeys) {
  TabStrip& t = Ready();
  Key(tabkey::kRight);
  Key(tabkey::kRight);
  EXPECT_EQ(t.ActiveTab(), 2);
  t.SetTabEnabled(0, false);
  Key(tabkey::kRight);  // wraps only to an enabled tab 0
  EXPECT_EQ(t.ActiveTab(), 2);
  t.SetTabEnabled(0, true);
  Key(tabkey::kPageDown);  // without Ctrl: no move
  EXPECT_EQ(t.ActiveTab(), 2);
  Key(tabkey::kPageDown, tabkey::kCtrlMask);
  EXPECT_EQ(t.ActiveTab(), 0);
  Key(tabkey::kLeft);  // tab 0 wraps to the last
  EXPECT_EQ(t.ActiveTab(), 2);
  t.SetTabEnabled(1, false);
  Key(tabkey::kPageUp, tabkey::kCtrlMask);  // a disabled neighbour blocks; no further tab is tried
  EXPECT_EQ(t.ActiveTab(), 2);
  EXPECT_EQ(events.log.back(), "KeyDown(33,2)");

  Ready(1);
  Key(tabkey::kPageUp, tabkey::kCtrlMask);
  Key(tabkey::kLeft);
  EXPECT_THAT(events.log, ElementsAre("KeyDown(33,2)", "KeyDown(37,0)"));
}

TEST_F(TabInput, AccessKeys) {
  TabStrip& t = Ready(4);
  t.SetTabCaption(0, "&Alpha");
  t.SetTabCaption(1, "&Beta");
  t.SetTabCaption(2, "&Bravo");
  t.SetTabCaption(3, "&Charlie");
  int16_t key = 'b';
  t.OnAccessKeyPress(key);
  EXPECT_EQ(key, 'B');  // upper-cased for the caller too
  EXPECT_EQ(t.ActiveTab(), 1);  // the first of two tabs sharing B
  key = 'B';
  t.OnAccessKeyPress(key);  // tab 1 is active: the next one with B
  EXPECT_EQ(t.ActiveTab(), 2);
  t.SetTabEnabled(3, false);
  key = 'c';
  t.OnAccessKeyPress(key);
  EXPECT_EQ(t.ActiveTab(), 2);
  events.log.clear();
  key = 'B';
  t.SetTabEnabled(1, false);
  t.OnAccessKeyPress(key);  // only the active tab has it now
  EXPECT_TRUE(events.log.empty());
}

TEST_F(TabInput, WheelThroughTheHook) {
  TabStrip& t = Ready();
  ASSERT_TRUE(t.HooksInstalled());
  SendSelf(tabmsg::kMouseWheel, Wheel(-120));
  EXPECT_EQ(t.ActiveTab(), 1);
  EXPECT_EQ(events.log.front(), "MouseScrollUp");
  SendSelf(tabmsg::kMouseWheel, Wheel(-120));
  SendSelf(tabmsg::kMouseWheel, Wheel(-120));  // stops at the last tab
  EXPECT_EQ(t.ActiveTab(), 2);
  events.log.clear();
  t.SetTabEnabled(1, false);
  SendSelf(tabmsg::kMouseWheel, Wheel(120));  // reaches the disabled neighbour anyway
  EXPECT_EQ(t.ActiveTab(), 1);
  EXPECT_EQ(events.log.front(), "MouseScrollDown");
  events.log.clear();
  SendSelf(tabmsg::kMouseWheel, Wheel(120));  // the active tab is disabled: nothing
  EXPECT_EQ(t.ActiveTab(), 1);
  EXPECT_TRUE(events.log.empty());
  t.SetActiveTab(2);
  t.SetUseMouseWheelScroll(false);
  events.log.clear();
  SendSelf(tabmsg::kMouseWheel, Wheel(120));
  EXPECT_EQ(t.ActiveTab(), 2);
  EXPECT_TRUE(events.log.empty());
  t.SetUseMouseWheelScroll(true);
  SendSelf(tabmsg::kMouseWheel, Wheel(0));  // zero counts as "down": previous tab
  EXPECT_EQ(t.ActiveTab(), 1);
}

TEST_F(TabInput, CloseBoxReleaseRemovesTheTab) {
  TabStrip& t = Ready();
  t.SetUseControlBox(true);
  t.SetTabCaption(1, "Doomed");
  const Rect box = t.State().AryTabs[1].ControlBoxRect;
  ASSERT_FALSE(box.IsEmpty());
  site.control.cursor = Centre(box);
  events.log.clear();
  SendSelf(tabmsg::kLButtonDown);
  EXPECT_THAT(events.log, Contains(::testing::StartsWith("ControlBoxMouseDown(")));
  EXPECT_TRUE(t.State().ControlBoxHot);
  SendSelf(tabmsg::kLButtonUp);
  EXPECT_EQ(t.TabCount(), 2);
  EXPECT_THAT(Captions(), Not(Contains("Doomed")));
  EXPECT_EQ(events.log.back(), "TabRemove(1)");

  Ready(1);
  tab->SetUseControlBox(true);
  site.control.cursor = Centre(tab->State().AryTabs[0].ControlBoxRect);
  SendSelf(tabmsg::kLButtonUp);
  EXPECT_EQ(tab->TabCount(), 1);
}

TEST_F(TabInput, CloseBoxTrackingInThemeZero) {
  TabStrip& t = Ready();
  t.SetUseControlBox(true);
  const Rect box = t.State().AryTabs[2].ControlBoxRect;
  site.control.cursor = Centre(box);
  SendSelf(tabmsg::kMouseMove);
  site.control.cursor = Point{box.left + 1, box.top + 1};
  SendSelf(tabmsg::kMouseMove);
  site.control.cursor = Point{box.left - 3, box.top};
  SendSelf(tabmsg::kMouseMove);
  // Tab 0 is the hover tab at first: a move outside its box is an exit too.
  EXPECT_THAT(events.log, ElementsAre("MouseEnter", "ControlBoxExit", "ControlBoxEnter",
                                      ::testing::StartsWith("ControlBoxHover("), "ControlBoxExit"));
  EXPECT_EQ(t.State().HoverTab, 2);
  EXPECT_FALSE(t.State().ControlBoxHot);
}

TEST_F(TabInput, MouseEnterLeaveAndTracking) {
  Ready();
  site.control.cursor = Point{1, 1};
  SendSelf(tabmsg::kMouseMove);
  SendSelf(tabmsg::kMouseMove);
  SendSelf(tabmsg::kMouseLeave);
  SendSelf(tabmsg::kMouseMove);
  EXPECT_THAT(events.log, ElementsAre("MouseEnter", "MouseLeave", "MouseEnter"));
  EXPECT_EQ(std::count(tracking.calls.begin(), tracking.calls.end(), "track 256 user32"), 2);
  // Each message reached the window's own procedure first.
  EXPECT_EQ(std::count(windows.log.begin(), windows.log.end(), "256:512"), 3);
}

TEST_F(TabInput, FormMovingAndSizingStatus) {
  Ready();
  windows.Send(kForm, tabmsg::kMoving);
  windows.Send(kForm, tabmsg::kMoving);
  windows.Send(kForm, tabmsg::kExitSizeMove);
  windows.Send(kForm, tabmsg::kSizing);
  windows.Send(kForm, tabmsg::kExitSizeMove);
  EXPECT_THAT(events.log,
              ElementsAre("Status(Form is moving...)", "Status(Form is moving...)",
                          "Status(Finished Moving.)", "Status(Form is sizing...)",
                          "Status(Finished Sizing.)"));
  tab->SetActiveTab(2);
  windows.Send(kForm, tabmsg::kActivate);
  EXPECT_EQ(tab->State().HoverTab, 2);
}

TEST_F(TabInput, HoverOverlayAndTimer) {
  TabStrip& t = Ready();
  t.SetTabTheme(1);
  const Rect r2 = TabRect(2);
  t.OnMouseMove(0, 0, static_cast<float>(Centre(r2).x), 4);
  EXPECT_TRUE(t.State().HoverDrawn);
  EXPECT_EQ(t.State().HoverTab, 2);
  EXPECT_EQ(t.State().OverlayRect, r2);
  EXPECT_TRUE(site.control.TimerRunning(kHoverTimerId));

  // The tick arrives before the window's own procedure, and the overlay stays
  // while the cursor is on the tab.
  site.control.cursor = Centre(r2);
  SendSelf(tabmsg::kTimer, kHoverTimerId);
  EXPECT_TRUE(t.State().HoverDrawn);
  site.control.cursor = Point{r2.right + 5, r2.bottom + 40};
  bool stoppedBeforeWindow = false;
  windows.onBase = [&](int64_t, uint32_t msg) {
    if (msg == tabmsg::kTimer) stoppedBeforeWindow = !site.control.TimerRunning(kHoverTimerId);
  };
  SendSelf(tabmsg::kTimer, kHoverTimerId);
  EXPECT_TRUE(stoppedBeforeWindow);
  EXPECT_FALSE(t.State().HoverDrawn);

  // A click clears the overlay flag and stops the timer.
  t.OnMouseMove(0, 0, static_cast<float>(Centre(r2).x), 4);
  ASSERT_TRUE(t.State().HoverDrawn);
  Click(static_cast<float>(Centre(TabRect(1)).x), 4);
  EXPECT_FALSE(site.control.TimerRunning(kHoverTimerId));
  EXPECT_EQ(t.ActiveTab(), 1);
}

TEST_F(TabInput, FullRepaintEndsTheHoverOverlaySoTheTimerLeavesTheActiveTabAlone) {
  TabStrip& t = Ready();
  t.SetTabTheme(1);
  const std::vector<Rgb> clean = Snapshot();  // tab 0 active, no hover
  const Rect r2 = TabRect(2);
  site.control.cursor = Centre(r2);
  t.OnMouseMove(0, 0, static_cast<float>(Centre(r2).x), 4);
  ASSERT_TRUE(t.State().HoverDrawn);

  // The form is activated with the pointer still on tab 2, then the hover
  // timer's tick arrives (if it still runs).
  windows.Send(kForm, tabmsg::kActivate);
  EXPECT_FALSE(t.State().HoverDrawn);
  EXPECT_FALSE(site.control.TimerRunning(kHoverTimerId));
  SendSelf(tabmsg::kTimer, kHoverTimerId);
  EXPECT_EQ(FirstDifference(clean), "");

  // A key switch repaints fully too: the next tick finds no overlay to remove.
  t.OnMouseMove(0, 0, static_cast<float>(Centre(r2).x), 4);
  ASSERT_TRUE(t.State().HoverDrawn);
  Key(tabkey::kRight);
  EXPECT_FALSE(t.State().HoverDrawn);
  const std::vector<Rgb> switched = Snapshot();
  SendSelf(tabmsg::kTimer, kHoverTimerId);
  EXPECT_EQ(FirstDifference(switched), "");
}

TEST_F(TabInput, MouseHoverNamesTheTrackedTab) {
  TabStrip& t = Ready();
  t.SetTabTheme(4);
  site.control.cursor = Centre(TabRect(0));
  SendSelf(tabmsg::kMouseMove);
  site.control.cursor = Point{TabRect(2).left + 2, TabRect(2).top + 2};
  SendSelf(tabmsg::kMouseMove);  // not yet the hover tab: nothing
  t.OnMouseMove(0, 0, static_cast<float>(TabRect(2).left + 2), 4);
  SendSelf(tabmsg::kMouseMove);
  EXPECT_THAT(events.log,
              ElementsAre("MouseEnter", ::testing::StartsWith("MouseHover(0,"),
                          ::testing::StartsWith("MouseMove("), ::testing::StartsWith("MouseHover(2,")));
}

}  // namespace
}  // namespace tarvex
