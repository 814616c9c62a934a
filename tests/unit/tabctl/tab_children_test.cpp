// Contained controls: their tab encoded in their position (twips), moved on
// switching, inserting, removing, lowering the tab count; AddControl.
#include "tabctl/tab_children.h"
#include "unit/tabctl/tab_fixture.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;

using TabChildren = TabFixture;

TEST(TabChildRules, HiddenOffsetAndTabOfChild) {
  EXPECT_EQ(HiddenOffsetFor(12000), 13000);
  EXPECT_EQ(HiddenOffsetFor(8000), 10000);
  EXPECT_EQ(HiddenOffsetFor(10000), 10000);
  EXPECT_EQ(TabOfChild(0, 10000), 0);
  EXPECT_EQ(TabOfChild(9999, 10000), 0);
  EXPECT_EQ(TabOfChild(-20000, 10000), 2);
  EXPECT_EQ(TabOfChild(-19880, 10000), 2);
  EXPECT_EQ(TabOfChild(-1, 10000), 1);
  // With tab 2 active, a child of tab 0 sits two offsets to the right.
  EXPECT_EQ(TabOfChild(20050, 10000, 2), 0);
  EXPECT_EQ(TabOfChild(120, 10000, 2), 2);
}

TEST_F(TabChildren, HiddenOffsetFollowsTheControlWidth) {
  site.widthTwips = 12000;
  Make();
  EXPECT_EQ(tab->State().HiddenOffset, 13000);
  site.widthTwips = 8000;
  MakeFromBag(PropertyBag{});
  EXPECT_EQ(tab->State().HiddenOffset, 10000);
}

TEST_F(TabChildren, SwitchingShiftsEveryChild) {
  TabStrip& t = Make();
  FakeChild& ofTab2 = site.AddChild(120 - 2 * 10000);
  FakeChild& ofTab0 = site.AddChild(50);
  FakeChild& noLeft = site.AddChild(std::nullopt);
  FakeChild& stubborn = site.AddChild(300);
  stubborn.refuse = true;
  EXPECT_EQ(ofTab2.left, -19880);
  t.SetActiveTab(2);
  EXPECT_EQ(ofTab2.left, 120);
  EXPECT_EQ(ofTab0.left, 20050);
  EXPECT_EQ(noLeft.left, std::nullopt);
  EXPECT_EQ(stubborn.left, 300);  // refused, the others still moved
}

TEST_F(TabChildren, InsertAfterLastMovesNothingAndRemoveLastParksOnlyItsChildren) {
  TabStrip& t = Make();
  FakeChild& c0 = site.AddChild(10);
  FakeChild& c1 = site.AddChild(20 - 10000);
  FakeChild& c2 = site.AddChild(30 - 20000);
  t.InsertTab(2, "New");
  EXPECT_EQ(c0.left, 10);
  EXPECT_EQ(c1.left, 20 - 10000);
  EXPECT_EQ(c2.left, 30 - 20000);

  t.RemoveTab(3);  // the new, empty tab
  EXPECT_EQ(c2.left, 30 - 20000);
  t.RemoveTab(2);  // parked 3 tabs to the right of where it was
  EXPECT_EQ(c2.left, 30 - 20000 + 3 * 10000);
  EXPECT_EQ(c1.left, 20 - 10000);
  EXPECT_EQ(c0.left, 10);
}

TEST_F(TabChildren, RemovingAMiddleTabMovesLaterChildrenBack) {
  TabStrip& t = Make();
  FakeChild& c1 = site.AddChild(20 - 10000);
  FakeChild& c2 = site.AddChild(30 - 20000);
  t.RemoveTab(1);
  EXPECT_EQ(c1.left, 20 - 10000 + 3 * 10000);
  EXPECT_EQ(c2.left, 30 - 10000);  // now tab 1
  t.SetActiveTab(1);
  EXPECT_EQ(c2.left, 30);
}

TEST_F(TabChildren, LoweringTheCountBelowTheActiveTabShowsTheNewActiveTabsChildren) {
  TabStrip& t = Make();
  t.SetTabCount(5);
  FakeChild& c1 = site.AddChild(40 - 10000);
  FakeChild& c4 = site.AddChild(70 - 40000);
  t.SetActiveTab(4);
  EXPECT_EQ(c4.left, 70);
  t.SetTabCount(2);
  EXPECT_EQ(t.ActiveTab(), 1);
  EXPECT_EQ(c1.left, 40);  // tab 1's child is visible again
  EXPECT_EQ(c4.left, 70 - 30000);
}

TEST_F(TabChildren, AddControlPlacesOnTheRequestedTab) {
  TabStrip& t = Make();
  FakeChild outsider(std::optional<int32_t>(0), 0x77);
  t.AddControl(&outsider, -1, 150, 300, -1, 450, 1);
  EXPECT_EQ(t.ActiveTab(), 1);
  EXPECT_EQ(outsider.left, 150);
  EXPECT_EQ(outsider.top, 300);
  EXPECT_EQ(outsider.width, 0);  // -1: left alone
  EXPECT_EQ(outsider.height, 450);
  EXPECT_TRUE(outsider.visible);
  EXPECT_THAT(site.adopted, ElementsAre(0x77));

  t.AddControl(nullptr, 0x88, 1, 2, 3, 4, -1);
  EXPECT_EQ(t.ActiveTab(), 1);
  ASSERT_EQ(site.placed.size(), 1u);
  EXPECT_EQ(site.placed[0].window, 0x88);
  EXPECT_EQ(site.placed[0].h, 4);

  // Nothing raises when the switch fails, and the child is placed all the same.
  events.onBefore = [](int16_t, bool&) { throw ControlError(5, "host"); };
  FakeChild refused(std::optional<int32_t>(0), 0x99);
  EXPECT_NO_THROW(t.AddControl(&refused, -1, 9, 8, 7, 6, 2));
  EXPECT_EQ(t.ActiveTab(), 1);
  EXPECT_EQ(refused.left, 9);
  EXPECT_EQ(refused.top, 8);
  EXPECT_EQ(refused.width, 7);
  EXPECT_EQ(refused.height, 6);
  EXPECT_TRUE(refused.visible);
  EXPECT_EQ(site.adopted.back(), 0x99);
  t.AddControl(nullptr, -1, 0, 0, 0, 0, -1);  // neither control nor window
  EXPECT_EQ(site.placed.size(), 1u);
}

TEST_F(TabChildren, FileDialogRequestAndAnswer) {
  TabStrip& t = Make();
  dialog.answer = std::string("  C:\\data\\a.txt") + '\0' + "   ";
  EXPECT_EQ(t.ShowFileOpenDialog(0x42, "C:\\data", "Text|*.txt|All|*.*"), "C:\\data\\a.txt");
  ASSERT_EQ(dialog.requests.size(), 1u);
  EXPECT_EQ(dialog.requests[0].filter, std::string("Text\0*.txt\0All\0*.*", 18));
  EXPECT_EQ(dialog.requests[0].title, "Open File");
  EXPECT_EQ(dialog.requests[0].owner, 0x42);
  EXPECT_EQ(dialog.requests[0].capacity, 255u);
  t.ShowFileOpenDialog(0, "", "");
  EXPECT_EQ(dialog.requests[1].filter, std::string("All Files (*.*)\0*.*", 19));
  dialog.answer.reset();
  EXPECT_EQ(t.ShowFileOpenDialog(0, "", ""), "");
}

}  // namespace
}  // namespace tarvex
