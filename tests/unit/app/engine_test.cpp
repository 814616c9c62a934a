// The speed-up engine's tick, its give-back, and RaiseProcess against fake
// processes.
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
    p.processes[kServicePid].protectedProcess = true;
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
  EXPECT_EQ(rig_.processes.titleReads, 1) << "asked for its title once, when it came to the front";
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kHighPriorityClass);
  // Nothing was raised before the first tick, so nothing else is touched.
  EXPECT_EQ(rig_.processes.calls.front(), "open 600 10");
  EXPECT_EQ(rig_.processes.ClassOf(kSelf), kNormalPriorityClass);
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
  EXPECT_EQ(rig_.processes.open.size(), 1u) << "only the raised process stays open";
}

TEST_F(Engine, TwoWindowsOfOneProcessGiveBackAndRaiseItAgain) {
  TickWith(kEditor);
  rig_.processes.calls.clear();
  TickWith(kEditorFind);
  // Give-back on the handle kept since the raise, then a fresh raise.
  EXPECT_EQ(rig_.processes.calls, (std::vector<std::string>{"get", "set 20", "close", "open 600 10", "get", "set 80",
                                                            "get"}));
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kHighPriorityClass);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 2);
  EXPECT_EQ(rig_.processes.open.size(), 1u) << "only the raised process stays open";
}

TEST_F(Engine, TheLevelRecordedIsTheClassGrantedAndRaisingNeverLowers) {
  rig_.controls.selected[SettingCombo::kSpeed] = "疯狂加速";
  TickWith(kEditor);
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kRealtimePriorityClass);
  // Real-time asked without the right to it: high granted, and said so.
  rig_.processes.processes[kBrowserPid].realtimeDenied = true;
  TickWith(kBrowser);
  EXPECT_EQ(rig_.processes.ClassOf(kBrowserPid), kHighPriorityClass);
  // Already above what "普通加速" asks: left at real-time, counted at its own class.
  rig_.controls.selected[SettingCombo::kSpeed] = "普通加速";
  rig_.processes.processes[kEditorPid].priorityClass = kRealtimePriorityClass;
  rig_.processes.calls.clear();
  TickWith(kEditor);
  EXPECT_EQ(rig_.processes.calls, (std::vector<std::string>{"get", "set 20", "close", "open 600 10", "get", "close"}));
  TickWith(kBrowser);
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kRealtimePriorityClass) << "not Tarvex's to give back";
  ASSERT_EQ(rig_.list.items.size(), 4u);
  EXPECT_EQ(rig_.list.items[0].texts[3], "疯狂加速");
  EXPECT_EQ(rig_.list.items[1].texts[3], "普通加速");
  EXPECT_EQ(rig_.list.items[2].texts[3], "疯狂加速");
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 4);
}

TEST_F(Engine, AProcessThatCannotBeRaisedIsShownAndRecordedAsFailedButNotCounted) {
  TickWith(kEditor);
  TickWith(kService);
  EXPECT_EQ(rig_.processes.ClassOf(kServicePid), kNormalPriorityClass);
  EXPECT_EQ(rig_.status.info, "service");
  EXPECT_EQ(rig_.status.toolTip, "service（未能加速）");
  EXPECT_EQ(rig_.list.items.back().texts[3], "未能加速");
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 1);
  EXPECT_EQ(rig_.status.count, "1");
  // A window without a process: the open fails outright.
  constexpr WindowHandle kOrphan = 0x4001;
  rig_.processes.windows[kOrphan] = {99, "orphan"};
  TickWith(kOrphan);
  EXPECT_EQ(rig_.list.items.back().texts[3], "未能加速");
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 1);
  // A protected process already at high counts: nothing had to change.
  rig_.processes.processes[kServicePid].priorityClass = kHighPriorityClass;
  TickWith(kService);
  EXPECT_EQ(rig_.status.toolTip, "service");
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 2);
  EXPECT_TRUE(rig_.processes.open.empty());
}

TEST_F(Engine, LosingTheForegroundGivesBackTheClassHeldBeforeTheRaise) {
  for (uint32_t before : {kIdlePriorityClass, kBelowNormalPriorityClass, kAboveNormalPriorityClass,
                          kHighPriorityClass}) {
    for (const char* speed : {"普通加速", "疯狂加速"}) {
      SCOPED_TRACE(std::string(speed) + " from class " + std::to_string(before));
      rig_.controls.selected[SettingCombo::kSpeed] = speed;
      rig_.processes.processes[kEditorPid].priorityClass = before;
      TickWith(kEditor);
      TickWith(kBrowser);
      EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), before);
      TickWith(kService);  // the browser too gets its own (normal) back
      EXPECT_EQ(rig_.processes.ClassOf(kBrowserPid), kNormalPriorityClass);
    }
  }
  EXPECT_TRUE(rig_.processes.open.empty());
}

TEST_F(Engine, AProcessIdReusedAfterTheRaisedProcessEndedIsNeverTouched) {
  TickWith(kEditor);
  // The editor ends; a new process at idle gets its id.
  rig_.processes.processes[kEditorPid].priorityClass = kIdlePriorityClass;
  ++rig_.processes.processes[kEditorPid].generation;
  TickWith(kBrowser);
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kIdlePriorityClass);
  EXPECT_EQ(rig_.processes.open.size(), 1u) << "the old handle was closed";
}

// Someone else (Task Manager, renice, a game mode) changed the class while
// Tarvex held it: theirs stands on every give-back path.
TEST_F(Engine, AClassSomeoneElseSetWhileRaisedStandsOnEveryGiveBack) {
  const auto changedMeanwhile = [this] {
    TickWith(kEditor);
    rig_.processes.processes[kEditorPid].priorityClass = kAboveNormalPriorityClass;
  };
  changedMeanwhile();
  TickWith(kBrowser);  // lost the foreground
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kAboveNormalPriorityClass);

  rig_.processes.processes[kEditorPid].priorityClass = kNormalPriorityClass;
  changedMeanwhile();
  rig_.engine.GiveBack();  // exit
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kAboveNormalPriorityClass);

  rig_.processes.processes[kEditorPid].priorityClass = kNormalPriorityClass;
  TickWith(kBrowser);
  changedMeanwhile();
  rig_.controls.checks[SettingCheck::kState] = CheckState::kUnchecked;
  rig_.settings.OnCheckChanged(SettingCheck::kState);
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kAboveNormalPriorityClass);
  EXPECT_TRUE(rig_.processes.open.empty());
}

TEST_F(Engine, ExitAndClearingSpeedUpGiveBackAndRecheckingRaisesTheWindowInFrontAgain) {
  rig_.processes.processes[kEditorPid].priorityClass = kBelowNormalPriorityClass;
  TickWith(kEditor);
  rig_.engine.GiveBack();  // exit
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kBelowNormalPriorityClass);
  EXPECT_TRUE(rig_.processes.open.empty());

  TickWith(kBrowser);
  rig_.controls.checks[SettingCheck::kState] = CheckState::kUnchecked;
  rig_.settings.OnCheckChanged(SettingCheck::kState);
  EXPECT_EQ(rig_.processes.ClassOf(kBrowserPid), kNormalPriorityClass) << "at once, not at the next tick";
  EXPECT_EQ(rig_.config.GetEnableSpeed(), "0");
  // While the box is clear nothing is touched and the state freezes.
  rig_.processes.calls.clear();
  TickWith(kService);
  TickWith(kBrowser);
  EXPECT_TRUE(rig_.processes.calls.empty());
  EXPECT_EQ(rig_.engine.CurrentWindow(), kBrowser);
  // Checked again on the same window: a speed-up like any other.
  const size_t records = rig_.list.items.size();
  rig_.controls.checks[SettingCheck::kState] = CheckState::kChecked;
  rig_.settings.OnCheckChanged(SettingCheck::kState);
  TickWith(kBrowser);
  EXPECT_EQ(rig_.processes.ClassOf(kBrowserPid), kHighPriorityClass);
  EXPECT_EQ(rig_.list.items.size(), records + 1);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 3);
  TickWith(kBrowser);
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 3) << "only once";
}

// Where threads are scheduled apart, the give-back goes thread by thread.
TEST_F(Engine, PerThreadGiveBackLeavesThreadsSomeoneElseChangedAndNewThreads) {
  auto& editor = rig_.processes.processes[kEditorPid];
  editor.threads = {{101, 0, 0, 0}, {102, 0, 0, 3}, {103, 0, 0, 19}};
  TickWith(kEditor);
  for (const ThreadSchedule& t : editor.threads) EXPECT_EQ(t.nice, -10);
  editor.threads[1].nice = 5;                // renice from outside
  editor.threads.push_back({104, 0, 0, -10});  // started while raised
  TickWith(kBrowser);
  EXPECT_EQ(editor.threads, (std::vector<ThreadSchedule>{{101, 0, 0, 0}, {102, 0, 0, 5}, {103, 0, 0, 19},
                                                         {104, 0, 0, -10}}));
  EXPECT_TRUE(rig_.processes.open.size() == 1u);
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

// Where nothing publishes the window in front (a Wayland session), "no
// window" is not known to be true: the program does not raise itself.
TEST_F(Engine, AnUnknownForegroundGivesBackSaysSoOnceAndRaisesNothing) {
  rig_.processes.processes[kEditorPid].priorityClass = kIdlePriorityClass;
  TickWith(kEditor);
  rig_.processes.foregroundKnown = false;
  for (int i = 0; i < 3; ++i) TickWith(0);
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kIdlePriorityClass);
  EXPECT_EQ(rig_.processes.ClassOf(kSelf), kNormalPriorityClass);
  EXPECT_EQ(rig_.status.info, kForegroundUnknownText);
  EXPECT_EQ(rig_.status.toolTip, kForegroundUnknownText);
  EXPECT_EQ(rig_.status.infoWrites, 2) << "the editor's title, then the notice once";
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 1);
  EXPECT_EQ(rig_.list.items.size(), 1u);

  // Known again with the same window in front: raised again, a speed-up.
  rig_.processes.foregroundKnown = true;
  TickWith(kEditor);
  EXPECT_EQ(rig_.processes.ClassOf(kEditorPid), kHighPriorityClass);
  EXPECT_EQ(rig_.status.info, "editor");
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 2);
  // Known, with no window in front: the usual rule (the program itself).
  TickWith(0);
  EXPECT_EQ(rig_.processes.ClassOf(kSelf), kHighPriorityClass);
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

TEST(RaiseProcess, ChoosesTheProcessByIdThenWindowThenItself) {
  FakeProcesses p;
  p.self = 5;
  p.processes[5] = {};
  p.processes[7] = {};
  p.processes[9] = {};
  p.windows[0x77] = {9, "x"};
  const auto raise = [&p](ProcessId id, WindowHandle window, uint32_t asked) {
    RaiseResult result = RaiseProcess(p, id, window, asked);
    if (result.held) GiveBack(p, *result.held);
    return result.obtainedClass;
  };
  p.processes[9].priorityClass = kRealtimePriorityClass;  // only 9 answers real-time to "high"
  EXPECT_EQ(raise(7, 0x77, kHighPriorityClass), kHighPriorityClass);
  EXPECT_EQ(raise(0, 0x77, kHighPriorityClass), kRealtimePriorityClass);
  EXPECT_EQ(raise(0, 0, kHighPriorityClass), kHighPriorityClass);
  EXPECT_EQ(p.ClassOf(5), kNormalPriorityClass);
  EXPECT_EQ(p.ClassOf(7), kNormalPriorityClass);
  // No such process: both opens fail, nothing to close, 0 comes back.
  p.calls.clear();
  EXPECT_EQ(raise(42, 0, kHighPriorityClass), 0u);
  EXPECT_EQ(p.calls, (std::vector<std::string>{"open 600 42", "open 400 42"}));
  EXPECT_TRUE(p.open.empty());
  EXPECT_EQ(PriorityClassRank(0), -1);
  EXPECT_LT(PriorityClassRank(kIdlePriorityClass), PriorityClassRank(kBelowNormalPriorityClass));
  EXPECT_LT(PriorityClassRank(kBelowNormalPriorityClass), PriorityClassRank(kNormalPriorityClass));
  EXPECT_LT(PriorityClassRank(kNormalPriorityClass), PriorityClassRank(kAboveNormalPriorityClass));
  EXPECT_LT(PriorityClassRank(kAboveNormalPriorityClass), PriorityClassRank(kHighPriorityClass));
  EXPECT_LT(PriorityClassRank(kHighPriorityClass), PriorityClassRank(kRealtimePriorityClass));
}

}  // namespace
}  // namespace tarvex
