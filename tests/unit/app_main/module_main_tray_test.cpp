// The tray icon record and the program's window procedure: the five tests in
// their order, what each passes on, and the procedure exchange.
#include <gtest/gtest.h>

#include "app/module_main_tray.h"
#include "main_fakes.h"

namespace tarvex {
namespace {

using testing::FakeShell;
using testing::FakeWindowPlatform;
using testing::Log;

constexpr WindowHandle kMain = 0x500;

class TrayTest : public ::testing::Test {
 protected:
  TrayTest() {
    tray.SetMainWindow(kMain);
    tray.SetPopupMenu([this] { log.push_back("ShowMenu"); });
  }
  Log log;
  FakeWindowPlatform windows{log};
  FakeShell shell{log};
  ModuleMainTray tray{windows, shell};

  void Installed() {
    tray.InstallWindowProc();
    tray.RegisterTaskbarCreated();
    log.clear();
  }
  int64_t Proc(uint32_t m, uint64_t wp, int64_t lp) { return tray.MainWindowProc(kMain, m, wp, lp); }
};

TEST_F(TrayTest, IconRecordIsFilledOnceAndUsedUnchanged) {
  tray.AddTrayIcon();
  windows.icon = 0x99;  // a later icon change must not alter the record
  tray.AddTrayIcon();
  tray.RemoveTrayIcon();
  ASSERT_EQ(shell.records.size(), 3u);
  const NotifyIconRecord expected{kMain, 0, 7, 2025, 0x77, "Tarvex"};
  for (const auto& r : shell.records) EXPECT_EQ(r, expected);
  EXPECT_EQ(log, (Log{"IconAdd", "IconAdd", "IconDelete"}));
}

TEST_F(TrayTest, RemovingAnIconNeverAddedAsksNothingOfTheShell) {
  tray.RemoveTrayIcon();
  EXPECT_TRUE(shell.records.empty());
}

TEST_F(TrayTest, MinimiseRequestsPassOnFirstThenHideAndKeepTheResult) {
  Installed();
  windows.visible = true;
  EXPECT_EQ(Proc(wm::kCommand, 0xF020, 0), 42);
  EXPECT_EQ(log, (Log{"Prev(4096,273,61472)", "Hide"}));
  windows.visible = true;
  log.clear();
  EXPECT_EQ(Proc(wm::kSysCommand, 0xF020, 0), 42);
  EXPECT_EQ(log, (Log{"Prev(4096,274,61472)", "Hide"}));
  EXPECT_FALSE(windows.visible);
}

TEST_F(TrayTest, OtherCommandsAndSysCommandsArePassedOnWithoutHiding) {
  Installed();
  windows.visible = true;
  Proc(wm::kSysCommand, 0xF120, 0);
  Proc(wm::kCommand, 0xF021, 0);
  EXPECT_EQ(log, (Log{"Prev(4096,274,61728)", "Prev(4096,273,61473)"}));
  EXPECT_TRUE(windows.visible);
}

TEST_F(TrayTest, DoubleClickRestoresOnlyAHiddenWindowAndIsNotPassedOn) {
  Installed();
  windows.visible = true;
  EXPECT_EQ(Proc(2025, 0, wm::kLButtonDblClk), 0);
  EXPECT_TRUE(log.empty());
  windows.visible = false;
  EXPECT_EQ(Proc(2025, 0, wm::kLButtonDblClk), 0);
  EXPECT_EQ(log, (Log{"Show", "Send(274,61728)"}));
}

TEST_F(TrayTest, RightButtonShowsTheMenuOnlyWhileHiddenAfterTakingTheForeground) {
  Installed();
  windows.visible = true;
  EXPECT_EQ(Proc(2025, 0, wm::kRButtonDown), 0);
  EXPECT_TRUE(log.empty());
  windows.visible = false;
  EXPECT_EQ(Proc(2025, 0, wm::kRButtonDown), 0);
  EXPECT_EQ(log, (Log{"SetForeground", "ShowMenu"}));
}

TEST_F(TrayTest, OtherTrayMouseMessagesGoToThePreviousProcedure) {
  Installed();
  EXPECT_EQ(Proc(2025, 0, 0x200), 42);  // mouse move over the icon
  EXPECT_EQ(Proc(2025, 0, 0x201), 42);  // left button down
  EXPECT_EQ(log, (Log{"Prev(4096,2025,0)", "Prev(4096,2025,0)"}));
}

TEST_F(TrayTest, TaskbarCreatedReAddsTheSameIconButZeroNeverMatches) {
  tray.InstallWindowProc();
  // Before registration the value is 0: message 0 is an ordinary message.
  EXPECT_EQ(Proc(0, 0, 0), 42);
  EXPECT_TRUE(shell.records.empty());
  tray.AddTrayIcon();
  tray.RegisterTaskbarCreated();
  EXPECT_EQ(tray.TaskbarCreatedMessage(), 0xC123u);
  log.clear();
  EXPECT_EQ(Proc(0xC123, 0, 0), 0);
  EXPECT_EQ(log, (Log{"IconAdd"}));
  EXPECT_EQ(shell.records.back().tip, "Tarvex");
}

TEST_F(TrayTest, EndOfSessionSetsQuitWithoutAskingAndIsPassedOn) {
  Installed();
  EXPECT_FALSE(tray.QuitWithoutAsking());
  EXPECT_EQ(Proc(wm::kQueryEndSession, 0, 0), 42);
  EXPECT_TRUE(tray.QuitWithoutAsking());
  tray.SetQuitWithoutAsking(false);
  Proc(wm::kEndSession, 1, 0);
  EXPECT_TRUE(tray.QuitWithoutAsking());
  EXPECT_EQ(log, (Log{"Prev(4096,17,0)", "Prev(4096,22,1)"}));
}

TEST_F(TrayTest, MinimiseTestWinsOverTheTaskbarMessage) {
  // The order of the tests decides when numbers collide.
  windows.registeredMessage = wm::kSysCommand;
  Installed();
  windows.visible = true;
  Proc(wm::kSysCommand, 0xF020, 0);
  EXPECT_EQ(log, (Log{"Prev(4096,274,61472)", "Hide"}));
}

TEST_F(TrayTest, ProcedureExchangeRestoresTheReplacedOneOnce) {
  tray.InstallWindowProc();
  EXPECT_EQ(tray.PreviousWindowProc(), 0x1000);
  tray.InstallWindowProc();  // a second install must not chain to itself
  EXPECT_EQ(tray.PreviousWindowProc(), 0x1000);
  tray.RemoveWindowProc();
  tray.RemoveWindowProc();
  EXPECT_EQ(windows.currentProc, 0x1000);
  EXPECT_EQ(tray.PreviousWindowProc(), 0);
  EXPECT_EQ(log, (Log{"InstallProc", "SetProc"}));
}

TEST_F(TrayTest, FailedInstallLeavesNothingToRemove) {
  windows.installSucceeds = false;
  tray.InstallWindowProc();
  tray.RemoveWindowProc();
  EXPECT_EQ(log, (Log{"InstallProc"}));
  EXPECT_EQ(windows.currentProc, 0x1000);
}

}  // namespace
}  // namespace tarvex
