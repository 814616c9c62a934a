// The message hooks: the routing table's phases and lists, installation only at
// run time with leave tracking, and removal that keeps a chain with another
// hook on the form intact.
#include "tabctl/subclass_table.h"
#include "unit/tabctl/tab_fixture.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;

constexpr int64_t kSelf = 0x100;
constexpr int64_t kForm = 0x200;

// Logs each callback and can mark chosen messages handled.
class LoggingClient final : public SubclassClient {
 public:
  void SubclassProc(bool bBefore, bool& bHandled, int64_t& lReturn, int64_t& hWnd,
                    uint32_t& uMsg, uint64_t&, int64_t&) override {
    log.push_back((bBefore ? "before " : "after ") + std::to_string(hWnd) + ":" +
                  std::to_string(uMsg) + " ret " + std::to_string(lReturn));
    if (bBefore && uMsg == handle) {
      bHandled = true;
      lReturn = 77;
    }
  }
  std::vector<std::string> log;
  uint32_t handle = 0;
};

TEST(SubclassRouting, PhasesListsAndTheHandledFlag) {
  FakeWindows windows;
  windows.results[kSelf] = 5;
  LoggingClient client;
  SubclassTable table(windows, client);
  ASSERT_EQ(table.Subclass(kSelf), 0);
  table.AddMsg(kSelf, 275, MsgWhen::Before);
  table.AddMsg(kSelf, 512, MsgWhen::After);
  table.AddMsg(kSelf, 512, MsgWhen::After);  // once only
  table.AddMsg(kSelf, 600, MsgWhen::Both);

  EXPECT_EQ(windows.Send(kSelf, 275), 5);
  EXPECT_EQ(windows.Send(kSelf, 512), 5);
  windows.Send(kSelf, 513);  // not listed: straight through
  windows.Send(kSelf, 600);
  EXPECT_THAT(client.log, ElementsAre("before 256:275 ret 0", "after 256:512 ret 5",
                                      "before 256:600 ret 0", "after 256:600 ret 5"));
  EXPECT_THAT(windows.log, ElementsAre("256:275", "256:512", "256:513", "256:600"));

  client.log.clear();
  windows.log.clear();
  client.handle = 600;
  EXPECT_EQ(windows.Send(kSelf, 600), 77);  // handled: the window never sees it
  EXPECT_TRUE(windows.log.empty());
  EXPECT_THAT(client.log, ElementsAre("before 256:600 ret 0"));

  client.log.clear();
  table.DelMsg(kSelf, 512, MsgWhen::After);
  table.AddMsg(kSelf, kAllMessages, MsgWhen::After);
  table.AddMsg(kSelf, 900, MsgWhen::After);  // every-message stays so
  windows.Send(kSelf, 1);
  table.DelMsg(kSelf, kAllMessages, MsgWhen::After);
  windows.Send(kSelf, 2);
  EXPECT_THAT(client.log, ElementsAre("after 256:1 ret 5"));
}

TEST(SubclassRouting, FreedEntriesAreReusedAndRemovalIsInReverseOrder) {
  FakeWindows windows;
  LoggingClient client;
  {
    SubclassTable table(windows, client);
    EXPECT_EQ(table.Subclass(kSelf), 0);
    EXPECT_EQ(table.Subclass(kForm), 1);
    EXPECT_EQ(table.Subclass(kSelf), 0);  // already hooked
    table.Unsubclass(kSelf);
    EXPECT_EQ(windows.CurrentProc(kSelf), 0u);
    EXPECT_EQ(table.Subclass(0x300), 0);  // the free entry again
    EXPECT_EQ(table.HookedCount(), 2);
    windows.refuse = true;
    EXPECT_EQ(table.Subclass(0x400), -1);
    EXPECT_FALSE(table.AddMsg(0x400, 1, MsgWhen::After));
  }
  EXPECT_EQ(windows.LiveHooks(), 0);
  EXPECT_EQ(windows.CurrentProc(kForm), 0u);
  EXPECT_EQ(windows.CurrentProc(0x300), 0u);
}

using TabHooks = TabFixture;

TEST_F(TabHooks, RunTimeHooksOwnWindowAndForm) {
  MakeFromBag(PropertyBag{});
  EXPECT_TRUE(tab->HooksInstalled());
  EXPECT_NE(windows.CurrentProc(kSelf), 0u);
  EXPECT_NE(windows.CurrentProc(kForm), 0u);
  EXPECT_TRUE(tab->State().TrackInUser32);
  EXPECT_THAT(tracking.calls, ElementsAre("exists TrackMouseEvent User32"));
}

TEST_F(TabHooks, NoneAtDesignTimeOrWithoutLeaveTracking) {
  site.control.userMode = false;
  MakeFromBag(PropertyBag{});
  EXPECT_FALSE(tab->HooksInstalled());
  EXPECT_EQ(windows.LiveHooks(), 0);

  site.control.userMode = true;
  tracking.user32 = false;
  tracking.comctl32 = false;
  MakeFromBag(PropertyBag{});
  EXPECT_FALSE(tab->HooksInstalled());
  EXPECT_FALSE(tab->State().TrackingSupported);
  windows.Send(kSelf, tabmsg::kMouseMove);
  windows.Send(kForm, tabmsg::kMoving);
  EXPECT_TRUE(events.log.empty());

  tracking.comctl32 = true;  // comctl32's _TrackMouseEvent is enough
  MakeFromBag(PropertyBag{});
  EXPECT_TRUE(tab->HooksInstalled());
  EXPECT_FALSE(tab->State().TrackInUser32);
}

TEST_F(TabHooks, TeardownRestoresProceduresUnderTheMainWindowsChain) {
  MakeFromBag(PropertyBag{});
  const HookHandle tabHook = windows.CurrentProc(kForm);
  std::vector<uint32_t> seenByMain;
  // The main window hooks its form after the tab control, and unhooks first.
  const HookHandle mainHook =
      windows.InstallForeign(kForm, [&](uint32_t msg) { seenByMain.push_back(msg); return 0; });
  windows.Send(kForm, tabmsg::kSizing);
  EXPECT_THAT(seenByMain, ElementsAre(tabmsg::kSizing));
  EXPECT_THAT(events.log, ElementsAre("Status(Form is sizing...)"));
  windows.Remove(mainHook);
  EXPECT_EQ(windows.CurrentProc(kForm), tabHook);
  tab.reset();
  EXPECT_EQ(windows.CurrentProc(kForm), 0u);
  EXPECT_EQ(windows.CurrentProc(kSelf), 0u);
  EXPECT_EQ(windows.LiveHooks(), 0);
  windows.log.clear();
  windows.Send(kForm, tabmsg::kSizing);
  EXPECT_THAT(windows.log, ElementsAre("512:532"));
}

}  // namespace
}  // namespace tarvex
