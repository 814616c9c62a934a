// The speed-up engine's tick and SetProcessPriority against fake processes.
#include <gtest/gtest.h>

#include <limits>

#include "app/process_priority.h"
#include "spine_rig.h"

namespace tarvex {
namespace {

using test::FakeProcesses;
using test::SpineRig;

constexpr WindowHandle kEditor = 0x1001, kEditorFind = 0x1002, kBrowser = 0x2001, kService = 0x3001;
constexpr ProcessId kSelf = 1, kEditorPid = 10, kBrowserPid = 20, kServicePid = 30;

class Engine : public testing::Test {
 protected:
  void SetUp() override {
    auto& p = rig_.processes;
    p.self = kSelf;
    p.processes[kSelf] = {};
    p.processes[kEditorPid] = {};
    p.processes[kBrowserPid] = {};
    p.processes[kServicePid] = {kNormalPriorityClass, true, false};
    p.windows[kEditor] = {kEditorPid, "editor"};
    p.windows[kEditorFind] = {kEditorPid, "find"};
    p.windows[kBrowser] = {kBrowserPid, "browser"};
    p.windows[kService] = {kServicePid, "service"};
    rig_.controls.selected[SettingCombo::kSpeed] = "普通加速";
    rig_.controls.selected[SettingCombo::kAutoCleanCount] = "100";
  }

  void TickWith(WindowHandle foreground) {
    rig_.processes.foreground = foreground;
    rig_.engine.TimerMain_Timer();
  }

  SpineRig rig_;
};

TEST_F(Engine, TheSameWindowForManyTicksIsOneSpeedUp) {
  for (int i = 0; i < 5; ++i) TickWith(kEditor);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 1);
  EXPECT_EQ(rig_.status.count, "1");
  EXPECT_EQ(rig_.status.infoWrites, 1);
  EXPECT_EQ(rig_.list.items.size(), 1u);
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kHighPriorityClass);
  // The first tick puts the program itself (window 0) back to normal.
  EXPECT_EQ(rig_.processes.calls.front(), "open 600 1");
}

TEST_F(Engine, AToBToAGivesThreeSpeedUpsAndRestoresEachLoser) {
  TickWith(kEditor);
  TickWith(kBrowser);
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kNormalPriorityClass);
  EXPECT_EQ(rig_.processes.ClassOf(kBrowserPid), kHighPriorityClass);
  TickWith(kEditor);
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kHighPriorityClass);
  EXPECT_EQ(rig_.processes.ClassOf(kBrowserPid), kNormalPriorityClass);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 3);
  EXPECT_EQ(rig_.engine.PreviousWindow(), kBrowser);
  EXPECT_EQ(rig_.engine.CurrentWindow(), kEditor);
  ASSERT_EQ(rig_.list.items.size(), 3u);
  EXPECT_EQ(rig_.list.items[1].texts[2], "browser");
  EXPECT_TRUE(rig_.processes.open.empty()) << "every opened handle is closed";
}

TEST_F(Engine, TwoWindowsOfOneProcessLowerAndRaiseItAgain) {
  TickWith(kEditor);
  rig_.processes.calls.clear();
  TickWith(kEditorFind);
  EXPECT_EQ(rig_.processes.calls, (std::vector<std::string>{"open 600 10", "set 20", "get", "close", "open 600 10",
                                                            "set 80", "get", "close"}));
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kHighPriorityClass);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 2);
}

TEST_F(Engine, ACrazySpeedAsksForRealTimeAndTakesWhatIsGranted) {
  rig_.controls.selected[SettingCombo::kSpeed] = "疯狂加速";
  TickWith(kEditor);
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kRealtimePriorityClass);
  rig_.processes.processes[kBrowserPid].realtimeDenied = true;
  TickWith(kBrowser);
  EXPECT_EQ(rig_.processes.ClassOf(kBrowserPid), kHighPriorityClass);
  EXPECT_EQ(rig_.list.items[1].texts[3], "疯狂加速");
}

TEST_F(Engine, WhileSpeedUpIsOffTheStateFreezes) {
  TickWith(kEditor);
  rig_.controls.checks[SettingCheck::kState] = CheckState::kUnchecked;
  rig_.processes.calls.clear();
  TickWith(kBrowser);
  TickWith(kService);
  EXPECT_TRUE(rig_.processes.calls.empty());
  EXPECT_EQ(rig_.engine.CurrentWindow(), kEditor);
  // Back on, still on the window seen before: nothing to do.
  rig_.controls.checks[SettingCheck::kState] = CheckState::kChecked;
  TickWith(kEditor);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 1);
  EXPECT_TRUE(rig_.processes.calls.empty());
  // A greyed box counts as on.
  rig_.controls.checks[SettingCheck::kState] = CheckState::kGrayed;
  TickWith(kBrowser);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 2);
}

TEST_F(Engine, AProtectedProcessIsOnlyQueriedButStillShownRecordedAndCounted) {
  TickWith(kService);
  EXPECT_EQ(rig_.processes.calls, (std::vector<std::string>{"open 600 1", "set 20", "get", "close", "open 600 30",
                                                            "open 400 30", "get", "close"}));
  EXPECT_EQ(rig_.processes.ClassOf(kServicePid), kNormalPriorityClass);
  EXPECT_EQ(rig_.status.info, "service");
  EXPECT_EQ(rig_.list.items.size(), 1u);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 1);
}

TEST_F(Engine, NoForegroundWindowRaisesTheProgramItself) {
  TickWith(kEditor);
  TickWith(0);
  EXPECT_EQ(rig_.processes.ClassOf(kSelf), kHighPriorityClass);
  EXPECT_EQ(rig_.status.info, "");
  EXPECT_EQ(rig_.list.items.back().texts[2], "");
  TickWith(kBrowser);
  EXPECT_EQ(rig_.processes.ClassOf(kSelf), kNormalPriorityClass);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 3);
}

TEST_F(Engine, AtStartWithoutAForegroundWindowTheTickEndsEarly) {
  TickWith(0);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 0);
  EXPECT_TRUE(rig_.processes.calls.empty());
  EXPECT_EQ(rig_.status.infoWrites, 0);
}

TEST_F(Engine, AnEndedProcessOrAVanishedWindowChangesNothing) {
  TickWith(kEditor);
  rig_.processes.processes.erase(kEditorPid);
  rig_.processes.windows.erase(kEditor);
  TickWith(kBrowser);
  EXPECT_EQ(rig_.processes.ClassOf(kBrowserPid), kHighPriorityClass);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 2);
}

TEST_F(Engine, TitlesAreShownAndRecordedAsA255ByteBufferHoldsThem) {
  rig_.processes.windows[kEditor].titleAnsi = std::string(300, 'T');
  std::string chinese;
  for (int i = 0; i < 200; ++i) chinese += "窗";
  rig_.processes.windows[kBrowser].titleAnsi = rig_.codePage.Utf8ToAnsi(chinese);
  rig_.processes.windows[kEditorFind].titleAnsi = "";
  TickWith(kEditor);
  EXPECT_EQ(rig_.status.info, std::string(254, 'T'));
  EXPECT_EQ(rig_.status.toolTip, std::string(254, 'T'));
  TickWith(kBrowser);
  EXPECT_EQ(rig_.status.info, chinese.substr(0, 127 * 3));
  EXPECT_EQ(rig_.list.items[1].texts[2], chinese.substr(0, 127 * 3));
  TickWith(kEditorFind);
  EXPECT_EQ(rig_.status.info, "");
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 3);
}

TEST_F(Engine, RecordingFollowsTheCheckBoxOnlyWhenChecked) {
  rig_.controls.checks[SettingCheck::kEnableRecord] = CheckState::kGrayed;
  TickWith(kEditor);
  EXPECT_TRUE(rig_.list.items.empty());
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 1);
}

TEST_F(Engine, TheCountStopsAtTheLargestValue) {
  rig_.engine.State().SpeedUpCount = std::numeric_limits<int32_t>::max() - 1;
  TickWith(kEditor);
  EXPECT_EQ(rig_.status.count, "2147483647");
  TickWith(kBrowser);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(rig_.status.count, "2147483647");
  EXPECT_EQ(rig_.list.items.size(), 2u);  // the rest of the tick still happens
  rig_.engine.Reset();
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 0);
  EXPECT_EQ(rig_.engine.CurrentWindow(), 0);
}

TEST(SetProcessPriority, ChoosesTheProcessByIdThenWindowThenItself) {
  FakeProcesses p;
  p.self = 5;
  p.processes[5] = {};
  p.processes[7] = {};
  p.processes[9] = {};
  p.windows[0x77] = {9, "x"};
  EXPECT_EQ(SetProcessPriority(p, 7, 0x77, kHighPriorityClass), kHighPriorityClass);
  EXPECT_EQ(p.ClassOf(7), kHighPriorityClass);
  EXPECT_EQ(SetProcessPriority(p, 0, 0x77, kRealtimePriorityClass), kRealtimePriorityClass);
  EXPECT_EQ(p.ClassOf(9), kRealtimePriorityClass);
  EXPECT_EQ(SetProcessPriority(p, 0, 0, kHighPriorityClass), kHighPriorityClass);
  EXPECT_EQ(p.ClassOf(5), kHighPriorityClass);
  // No such process: both opens fail, nothing to close, 0 comes back.
  p.calls.clear();
  EXPECT_EQ(SetProcessPriority(p, 42, 0, kHighPriorityClass), 0u);
  EXPECT_EQ(p.calls, (std::vector<std::string>{"open 600 42", "open 400 42"}));
  EXPECT_TRUE(p.open.empty());
}

}  // namespace
}  // namespace tarvex
