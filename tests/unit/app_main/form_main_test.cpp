// FormMain: the single-instance check, the start-up order and its
// consequences, the exit paths, the links, the buttons and the tray menu.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/form_main.h"
#include "main_fakes.h"

namespace tarvex {
namespace {

using testing::FakeCore;
using testing::FakeInstance;
using testing::FakeShell;
using testing::FakeView;
using testing::FakeWindowPlatform;
using testing::Log;

constexpr WindowHandle kMain = 0x500;

class FormMainTest : public ::testing::Test {
 protected:
  FormMainTest() {
    // Messages sent to the window reach the program's procedure once installed.
    windows.programProc = [this](WindowHandle w, uint32_t m, uint64_t wp, int64_t lp) {
      return tray.MainWindowProc(w, m, wp, lp);
    };
    // The host's close request: QueryUnload decides, a closed window is gone.
    view.onClose = [this] {
      if (form.QueryUnload()) {
        closed = true;
        windows.visible = false;
      }
    };
  }
  Log log;
  FakeWindowPlatform windows{log};
  FakeShell shell{log};
  FakeView view{log};
  FakeCore core{log};
  FakeInstance instance;
  ModuleMainTray tray{windows, shell};
  FormMain form{view, core, tray, windows, shell, instance};
  bool closed = false;

  bool Started() {
    if (!form.Initialize()) return false;
    const bool show = form.Load(kMain);
    if (show) windows.visible = true;
    form.Shown();
    log.clear();
    return show;
  }
  static size_t Index(const Log& l, const std::string& e) {
    return static_cast<size_t>(std::find(l.begin(), l.end(), e) - l.begin());
  }
};

TEST_F(FormMainTest, SecondInstanceIsToldOnceAndTouchesNothingElse) {
  instance.other = true;
  EXPECT_FALSE(form.Initialize());
  EXPECT_EQ(log, (Log{"Warn(Tarvex 已经运行。|Tarvex)"}));
}

TEST_F(FormMainTest, AloneInitialiseDoesNothing) {
  EXPECT_TRUE(form.Initialize());
  EXPECT_TRUE(log.empty());
}

TEST_F(FormMainTest, LoadSetsUpTabsEngineSettingsWindowAndTrayInOrder) {
  core.alwaysTop = true;
  EXPECT_TRUE(form.Load(kMain));
  const Log expected{"CopyTabImages", "TabCaption0", "TabCaption1", "TabCaption2", "TabCaption3",
                     "ActiveTab(3)", "ActiveTabHeight(25)", "ResetEngine", "FillSpeed", "FillClean",
                     "HoldSettings", "ApplySettings", "Tick", "SetTopmost(1)", "LinkHome", "LinkHelp",
                     "InstallProc", "ReleaseSettings", "Register(TaskbarCreated)"};
  EXPECT_EQ(log, expected);
  // The icon follows once the window is up, and only once.
  log.clear();
  form.Shown();
  form.Shown();
  EXPECT_EQ(log, (Log{"IconAdd"}));
  EXPECT_EQ(view.captions, (std::vector<std::string>{" 状态 ", " 软件设置 ", " 加速记录 ", " 关于软件 "}));
  EXPECT_EQ(view.speed, (std::vector<std::string>{"普通加速", "疯狂加速"}));
  EXPECT_EQ(view.clean, (std::vector<std::string>{"50", "100", "200", "300"}));
  EXPECT_EQ(view.home.color, 0xFF0000u);
  EXPECT_FALSE(view.help.underline);
  EXPECT_FALSE(tray.QuitWithoutAsking());
  EXPECT_EQ(tray.IconRecord().window, kMain);
}

TEST_F(FormMainTest, TopmostOffUnlessAlwaysTopReadsOn) {
  form.Load(kMain);
  EXPECT_LT(Index(log, "SetTopmost(0)"), log.size());
}

TEST_F(FormMainTest, AutoMinHidesThroughTheProcedureBeforeTheWindowIsSeen) {
  core.autoMin = true;
  EXPECT_FALSE(form.Load(kMain));
  const size_t hide = Index(log, "Hide");
  ASSERT_LT(hide, log.size());
  EXPECT_LT(Index(log, "IconAdd"), hide);
  EXPECT_LT(hide, Index(log, "Register(TaskbarCreated)"));
  EXPECT_EQ(log[hide - 1], "Prev(4096,273,61472)");
  EXPECT_EQ(Index(log, "Show"), log.size());
  log.clear();
  form.Shown();  // already there: no second icon
  EXPECT_TRUE(log.empty());
}

TEST_F(FormMainTest, AutoMinWithoutTheProcedureShowsTheWindowAnyway) {
  core.autoMin = true;
  windows.installSucceeds = false;
  EXPECT_TRUE(form.Load(kMain));
  EXPECT_EQ(Index(log, "Hide"), log.size());
}

TEST_F(FormMainTest, TimerRunsOneTickEach) {
  Started();
  form.TimerMain_Timer();
  form.TimerMain_Timer();
  EXPECT_EQ(core.ticks, 3);  // one at load, two from the timer
}

TEST_F(FormMainTest, ExitAnsweredNoKeepsIconProcedureAndEngine) {
  Started();
  view.answer = PromptAnswer::No;
  form.CommandExit_Click();
  EXPECT_FALSE(closed);
  EXPECT_EQ(log, (Log{"Close", "Ask(确定要退出吗？|请确认?)"}));
  EXPECT_EQ(windows.currentProc, FakeWindowPlatform::kProgramProc);
  // The procedure and the engine still work: hide and tick.
  form.CommandMini_Click();
  EXPECT_FALSE(windows.visible);
  form.TimerMain_Timer();
  EXPECT_EQ(core.ticks, 2);
  view.answer = PromptAnswer::Other;  // a box closed some other way cancels too
  form.CommandExit_Click();
  EXPECT_FALSE(closed);
}

TEST_F(FormMainTest, ExitAnsweredYesGivesBackThenRemovesIconThenProcedure) {
  Started();
  form.CommandExit_Click();
  EXPECT_TRUE(closed);
  EXPECT_EQ(log, (Log{"Close", "Ask(确定要退出吗？|请确认?)", "GiveBack", "IconDelete", "SetProc"}));
  EXPECT_EQ(windows.currentProc, 0x1000);
}

TEST_F(FormMainTest, ExitBeforeTheWindowIsUpLeavesNoIconBehind) {
  ASSERT_TRUE(form.Initialize());
  ASSERT_TRUE(form.Load(kMain));
  tray.MainWindowProc(kMain, wm::kEndSession, 1, 0);  // the logon ends at once
  view.CloseWindow();
  ASSERT_TRUE(closed);
  log.clear();
  form.Shown();  // the host's late step still runs
  EXPECT_TRUE(log.empty());
}

TEST_F(FormMainTest, EndOfSessionClosesWithoutAsking) {
  Started();
  form.CommandMini_Click();  // hidden in the tray when the logon ends
  tray.MainWindowProc(kMain, wm::kQueryEndSession, 0, 0);
  log.clear();
  view.CloseWindow();
  EXPECT_TRUE(closed);
  EXPECT_EQ(log, (Log{"Close", "GiveBack", "IconDelete", "SetProc"}));
}

TEST_F(FormMainTest, RemovalFailuresStillLetTheWindowClose) {
  Started();
  shell.accept = false;
  form.CommandExit_Click();
  EXPECT_TRUE(closed);
}

TEST_F(FormMainTest, HideButtonSendsTheMinimiseRequest) {
  Started();
  form.CommandMini_Click();
  EXPECT_EQ(log, (Log{"Send(273,61472)", "Prev(4096,273,61472)", "Hide"}));
}

TEST_F(FormMainTest, DraggingReleasesCaptureThenSendsCaptionDown) {
  Started();
  form.BackgroundMouseDown();
  form.SSTabMain_MouseDown();
  // The caption press goes on to the window's own procedure, which moves it.
  const Log drag{"ReleaseCapture", "Send(161,2)", "Prev(4096,161,2)"};
  EXPECT_EQ(log, (Log{drag[0], drag[1], drag[2], drag[0], drag[1], drag[2]}));
}

TEST_F(FormMainTest, LinksTurnRedUnderlinedAndOnlyTabOrBackgroundResetThem) {
  Started();
  form.LinkMouseMove(LinkLabel::HomePage);
  EXPECT_TRUE(view.home.underline);
  EXPECT_EQ(view.home.color, 0x0000FFu);
  EXPECT_FALSE(view.help.underline);
  form.LinkMouseMove(LinkLabel::NeedHelp);  // the first stays red
  EXPECT_TRUE(view.home.underline);
  EXPECT_TRUE(view.help.underline);
  form.SSTabMain_MouseMove();
  EXPECT_FALSE(view.home.underline);
  EXPECT_EQ(view.help.color, 0xFF0000u);
  form.LinkMouseMove(LinkLabel::NeedHelp);
  form.BackgroundMouseMove();
  EXPECT_FALSE(view.help.underline);
  EXPECT_EQ(view.help.color, 0xFF0000u);
}

TEST_F(FormMainTest, LinksOpenHomeAndHelpOnTheSameHost) {
  Started();
  form.LinkClick(LinkLabel::HomePage);
  form.LinkClick(LinkLabel::NeedHelp);
  form.Update_Click();
  EXPECT_EQ(log, (Log{"Open(https://www.tarvex.cn/)", "Open(https://www.tarvex.cn/tarvex/cn/help/)",
                      "Open(https://www.tarvex.cn/)"}));
}

TEST_F(FormMainTest, MenuHasItsEntriesAndSeparators) {
  Started();
  form.CommandMini_Click();
  windows.menuChoice = std::nullopt;
  log.clear();
  tray.MainWindowProc(kMain, 2025, 0, wm::kRButtonDown);
  EXPECT_EQ(log, (Log{"SetForeground", "Menu"}));
  ASSERT_EQ(windows.lastMenu.size(), 5u);
  EXPECT_EQ(windows.lastMenu[0].caption, "主界面");
  EXPECT_TRUE(windows.lastMenu[1].caption.empty());
  EXPECT_EQ(windows.lastMenu[2].caption, "官方网站");
  EXPECT_TRUE(windows.lastMenu[3].caption.empty());
  EXPECT_EQ(windows.lastMenu[4].caption, "退出");
}

TEST_F(FormMainTest, MenuMainScreenRestoresOnlyAHiddenWindow) {
  Started();
  windows.menuChoice = kMenuMainScreen;
  form.ShowPopupMenu();  // visible: nothing
  EXPECT_EQ(log, (Log{"Menu"}));
  form.CommandMini_Click();
  log.clear();
  form.ShowPopupMenu();
  EXPECT_EQ(log, (Log{"Menu", "Show", "Send(274,61728)", "Prev(4096,274,61728)"}));
  EXPECT_TRUE(windows.visible);
}

TEST_F(FormMainTest, MenuExitShowsTheWindowFirstThenAsks) {
  Started();
  form.CommandMini_Click();
  log.clear();
  view.answer = PromptAnswer::No;
  windows.menuChoice = kMenuExit;
  form.ShowPopupMenu();
  EXPECT_EQ(log, (Log{"Menu", "Show", "Close", "Ask(确定要退出吗？|请确认?)"}));
  EXPECT_TRUE(windows.visible);
  EXPECT_FALSE(closed);
}

TEST_F(FormMainTest, HistoryButtonsReachTheCore) {
  Started();
  form.CommandSaveRecords_Click();
  form.CommandClearRecords_Click();
  EXPECT_EQ(log, (Log{"Save", "Clear"}));
}

}  // namespace
}  // namespace tarvex
