// SystemMonitor on a fake site with scripted counters: creation, properties,
// the timer tick and its history, pausing, resize and termination.
#include <gtest/gtest.h>

#include "common/control_error.h"
#include "monitor/load_sampler.h"
#include "monitor/main_window_monitor.h"
#include "support/fake_load_counters.h"
#include "support/fake_site.h"

namespace tarvex {
namespace {

constexpr int64_t kSecond = 10'000'000;

class Monitor : public testing::Test {
 protected:
  Monitor() : site(441, 89) {
    counters.disksEx["C:\\"] = {250, 1000, 300};
    counters.memory = {42, 1000, 250, 2000, 1500, 4000, 1000};
    counters.processors = 2;
    counters.currentTime = 100 * kSecond;
  }
  // Starts the main window's instance.
  SystemMonitor& StartMain() {
    monitor = CreateMainWindowMonitor(site, sampler, locale);
    monitor->SetEvents({[this](const LevelsReport& r) {
                          reports.push_back(r);
                          refreshesAtEvent.push_back(site.refreshCount);
                        },
                        [this] { ++doubleClicks; }});
    site.ClearLog();
    counters.log.clear();
    return *monitor;
  }
  // One timer tick in which the machine was `busy` percent busy for a second.
  void Tick(int busyPercent) {
    counters.currentTime += kSecond;
    counters.idleTime += 2 * kSecond * (100 - busyPercent) / 100;
    monitor->OnTimer(SystemMonitor::kTimer1);
  }

  FakeControlSite site;
  FakeLoadCounters counters;
  ModuleLoadSampler sampler{counters};
  InvariantNumberLocale locale;
  std::unique_ptr<SystemMonitor> monitor;
  std::vector<LevelsReport> reports;
  std::vector<int> refreshesAtEvent;
  int doubleClicks = 0;
};

TEST_F(Monitor, DesignTimeCreationSetsDefaultsAndDoesNotStart) {
  site.userMode = false;
  monitor = std::make_unique<SystemMonitor>(site, sampler, locale);
  monitor->InitProperties();
  EXPECT_EQ(monitor->HDDriveLetter(), "C:\\");
  EXPECT_EQ(monitor->BackColor(), 0u);
  EXPECT_EQ(monitor->Appearance(), 1);
  EXPECT_EQ(monitor->BorderStyle(), 1);
  EXPECT_EQ(monitor->UpdateInterval(), 1000);
  EXPECT_EQ(monitor->CPUMonitorColor(), 0x00FF00u);
  EXPECT_EQ(monitor->MemoryLoadColor(), 0x00FFFFu);
  EXPECT_EQ(monitor->HDMonitorColor(), 0xFF80FFu);
  EXPECT_EQ(monitor->DisplayGridColor(), 0x008000u);
  EXPECT_TRUE(monitor->DisplayGrid() && monitor->ScrollGrid() && monitor->Enabled());
  EXPECT_FALSE(monitor->Started());
  EXPECT_TRUE(monitor->History().empty());
  EXPECT_TRUE(site.timers.empty());
  EXPECT_EQ(site.image.At(20, 7), 0u) << "black background";
  EXPECT_EQ(site.image.At(40, 7), 0x008000u) << "grid";
  monitor->OnTimer(SystemMonitor::kTimer1);
  EXPECT_TRUE(counters.log.empty()) << "no measuring in design mode";
}

TEST_F(Monitor, MainWindowInstanceStartsFromItsStoredValues) {
  SystemMonitor& m = StartMain();
  EXPECT_EQ(m.BackColor(), 0xFBFDFBu);
  EXPECT_EQ(m.BorderStyle(), 0);
  EXPECT_EQ(m.Appearance(), 1);
  EXPECT_EQ(m.CPUMonitorColor(), 0x00C000u);
  EXPECT_EQ(m.DisplayGridColor(), 0xE0E0E0u);
  EXPECT_EQ(m.UpdateInterval(), 500);
  EXPECT_EQ(m.HDDriveLetter(), "C:\\");
  EXPECT_EQ(m.PageFileColor(), 0x0000FFu);
  EXPECT_TRUE(m.Started());
  EXPECT_EQ(site.timers.at(SystemMonitor::kTimer1), 500u);
  EXPECT_EQ(m.History().size(), 442u) << "outer width (no border) + 1";
  EXPECT_EQ(m.UnfilledColumns(), 440);
  EXPECT_TRUE(m.IsNT());
  EXPECT_EQ(site.image.At(20, 7), 0xFBFDFBu) << "before the first tick: background and grid";
  EXPECT_EQ(site.image.At(40, 7), 0xE0E0E0u);
}

TEST_F(Monitor, BorderedControlKeepsOuterWidthHistory) {
  PropertyBag bag;  // defaults: 3-D single border, two pixels each side
  monitor = std::make_unique<SystemMonitor>(site, sampler, locale);
  monitor->ReadProperties(bag);
  EXPECT_EQ(monitor->History().size(), 441u + 4 + 1);
  EXPECT_EQ(monitor->HDDriveLetter(), "") << "no stored root: disk figures are 0";
  Tick(50);
  EXPECT_EQ(monitor->History()[440].HDAvailablePercent, 0.0f);
  EXPECT_EQ(monitor->History()[440].HDTotalBytes, Fixed4());
}

TEST_F(Monitor, TwoMonitorsShareTheProcessorCounterEachSeeingTheTimeSinceTheOthersCall) {
  SystemMonitor& a = StartMain();
  FakeControlSite otherSite(441, 89);
  std::unique_ptr<SystemMonitor> b = CreateMainWindowMonitor(otherSite, sampler, locale);
  std::vector<int32_t> cpuA, cpuB;
  a.SetEvents({[&](const LevelsReport& r) { cpuA.push_back(r.CPULoadPercent); }, {}});
  b->SetEvents({[&](const LevelsReport& r) { cpuB.push_back(r.CPULoadPercent); }, {}});
  // Each second the machine is fully busy or idle; the monitors tick in turn.
  auto second = [&](int busyPercent, SystemMonitor& m) {
    counters.currentTime += kSecond;
    counters.idleTime += 2 * kSecond * (100 - busyPercent) / 100;
    m.OnTimer(SystemMonitor::kTimer1);
  };
  second(100, a);
  second(0, *b);   // on its own clock B would see two seconds half busy
  second(100, a);  // and A two seconds half busy as well
  EXPECT_EQ(cpuA, (std::vector<int32_t>{100, 100}));
  EXPECT_EQ(cpuB, (std::vector<int32_t>{0}));
}

TEST_F(Monitor, TickMovesGridShiftsSamplesInOrderRedrawsThenRaises) {
  SystemMonitor& m = StartMain();
  Tick(85);
  EXPECT_EQ(counters.log, (std::vector<std::string>{"memory", "diskex C:\\", "basic", "timeofday",
                                                    "performance"}));
  EXPECT_EQ(m.GridOffset(), -1);
  EXPECT_EQ(m.UnfilledColumns(), 439);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(refreshesAtEvent[0], 1) << "the event follows the redraw";
  const LevelsReport& r = reports[0];
  EXPECT_EQ(r.CPULoadPercent, 86);  // 100 - 15 + 0.5 rounds to even 86
  EXPECT_EQ(r.MemoryLoadPercent, 42);
  EXPECT_EQ(r.PhysicalMemoryTotal, 1000);
  EXPECT_FLOAT_EQ(r.PhysicalMemoryAvailablePercent, 75.0f);
  EXPECT_FLOAT_EQ(r.PageFileAvailablePercent, 25.0f);
  EXPECT_EQ(r.HDTotalBytes, Fixed4::FromInteger(1000));
  EXPECT_EQ(r.HDTotalBytesUsed, Fixed4::FromInteger(750));
  EXPECT_EQ(r.HDAvailablePercent, 25.0f);
  EXPECT_EQ(m.History()[440].CPULoadPercent, 86.0f);

  // One sample draws no line yet; a second one does.
  auto cpuPixels = [&] {
    int n = 0;
    for (int32_t y = 0; y < 89; ++y)
      for (int32_t x = 0; x < 441; ++x) n += site.image.At(x, y) == 0x00C000u;
    return n;
  };
  EXPECT_EQ(cpuPixels(), 0);
  Tick(20);
  EXPECT_EQ(m.History()[439].CPULoadPercent, 86.0f) << "the older sample moved one column left";
  EXPECT_EQ(m.History()[440].CPULoadPercent, 20.0f) << "20.5 rounds to even";
  EXPECT_EQ(site.image.At(439, DiagramY(86, 89)), 0x00C000u);
  EXPECT_EQ(site.image.At(440, DiagramY(20, 89)), 0x00C000u);
  EXPECT_GT(cpuPixels(), 40) << "a steep segment from row 12 to row 71, partly overdrawn";
}

TEST_F(Monitor, OutOfSightTicksSampleButTheDiagramWaitsForThePaint) {
  SystemMonitor& m = StartMain();
  Tick(30);
  auto pixels = [&] {
    return std::vector<uint32_t>(site.image.Data(), site.image.Data() + 441 * 89);
  };
  const std::vector<uint32_t> shown = pixels();
  site.inSight = false;
  for (int busy : {85, 20, 60}) Tick(busy);
  m.SetCPUMonitorColor(0x0000FFu);
  EXPECT_EQ(reports.size(), 4u) << "sampling and the event go on";
  EXPECT_EQ(m.History()[440].CPULoadPercent, 60.0f);
  EXPECT_EQ(site.refreshCount, 1) << "only the tick in sight showed anything";
  EXPECT_EQ(pixels(), shown) << "nothing drawn out of sight";

  m.BeforePaint();
  const std::vector<uint32_t> painted = pixels();
  EXPECT_EQ(site.image.At(440, DiagramY(60, 89)), 0x0000FFu) << "newest sample in the new colour";
  // What the paint drew is what drawing at once would have drawn.
  site.inSight = true;
  m.SetCPUMonitorColor(0x0000FFu);
  EXPECT_EQ(pixels(), painted);
  EXPECT_EQ(site.refreshCount, 2);
}

TEST_F(Monitor, FullSweepCountsDownToZeroAndWrapsTheGrid) {
  SystemMonitor& m = StartMain();
  for (int i = 0; i < 439; ++i) Tick(50);
  EXPECT_EQ(m.UnfilledColumns(), 1);
  EXPECT_EQ(m.GridOffset(), -439);
  Tick(50);
  EXPECT_EQ(m.UnfilledColumns(), 0);
  EXPECT_EQ(m.GridOffset(), 0) << "-440 wraps to 0 within the redraw";
  Tick(50);
  EXPECT_EQ(m.UnfilledColumns(), 0);
  EXPECT_EQ(m.GridOffset(), -1);
}

TEST_F(Monitor, DisabledControlFreezesEverything) {
  SystemMonitor& m = StartMain();
  Tick(50);
  Tick(60);
  m.SetEnabled(false);
  const auto history = m.History();
  counters.log.clear();
  Tick(70);
  Tick(70);
  EXPECT_EQ(m.History(), history);
  EXPECT_EQ(m.GridOffset(), -2);
  EXPECT_EQ(m.UnfilledColumns(), 438);
  EXPECT_EQ(reports.size(), 2u);
  EXPECT_TRUE(counters.log.empty());
  EXPECT_TRUE(site.TimerRunning(SystemMonitor::kTimer1)) << "the timer keeps running, ticks idle";
  m.SetEnabled(true);
  Tick(70);
  EXPECT_EQ(m.GridOffset(), -3);
  EXPECT_EQ(reports.size(), 3u);
}

TEST_F(Monitor, GetCurrentSystemLevelsSamplesWithoutEventGridOrRedraw) {
  SystemMonitor& m = StartMain();
  Tick(50);
  const int refreshes = site.refreshCount;
  counters.currentTime += kSecond;
  counters.idleTime += kSecond;  // half of two processors idle
  const LevelsReport r = m.GetCurrentSystemLevels();
  EXPECT_EQ(r.CPULoadPercent, 50);
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(m.GridOffset(), -1);
  EXPECT_EQ(m.UnfilledColumns(), 438);
  EXPECT_EQ(site.refreshCount, refreshes);
  EXPECT_EQ(m.History()[439].CPULoadPercent, 50.0f) << "the tick's sample moved left";
  EXPECT_EQ(m.History()[440].CPULoadPercent, 50.0f);
}

TEST_F(Monitor, ResetReturnsFalseAndKeepsSamples) {
  SystemMonitor& m = StartMain();
  Tick(50);
  Tick(50);
  const auto history = m.History();
  EXPECT_FALSE(m.Reset());
  EXPECT_EQ(m.GridOffset(), 0);
  EXPECT_EQ(m.History(), history);
  EXPECT_EQ(site.image.At(40, 7), 0xE0E0E0u);
}

TEST_F(Monitor, SettersMarkTheirNamesAndRedrawWhereTheLookDepends) {
  SystemMonitor& m = StartMain();
  struct Case {
    std::function<void()> set;
    std::string name;
    bool redraws;
  };
  const std::vector<Case> cases = {
      {[&] { m.SetBackColor(0x123456); }, "BackColor", true},
      {[&] { m.SetAppearance(0); }, "Appearance", true},
      {[&] { m.SetBorderStyle(1); }, "BorderStyle", true},
      {[&] { m.SetCPUMonitorDisplayed(false); }, "CPUMonitorDisplayed", true},
      {[&] { m.SetPageFileDisplayed(false); }, "PageFileDisplayed", true},
      {[&] { m.SetVirtualMemoryDisplayed(false); }, "VirtualMemoryDisplayed", true},
      {[&] { m.SetCPUMonitorColor(1); }, "CPUMonitorColor", true},
      {[&] { m.SetMemoryLoadDisplayed(false); }, "MemoryLoadDisplayed", true},
      {[&] { m.SetHDMonitorDisplayed(false); }, "HDMonitorDisplayed", true},
      {[&] { m.SetHDDriveLetter("d"); }, "HDDriveLetter", false},
      {[&] { m.SetHDMonitorColor(2); }, "HDMonitorColor", false},
      {[&] { m.SetMemoryLoadColor(3); }, "MemoryColor", true},
      {[&] { m.SetPageFileColor(4); }, "PageFileColor", true},
      {[&] { m.SetVirtualMemoryColor(5); }, "VirtualMemoryColor", true},
      {[&] { m.SetEnabled(false); }, "Enabled", true},
      {[&] { m.SetDisplayGrid(false); }, "DisplayGrid", true},
      {[&] { m.SetDisplayGridColor(6); }, "DisplayGridColor", true},
      {[&] { m.SetUpdateInterval(250); }, "UpdateInterval", false},
      {[&] { m.SetScrollGrid(false); }, "ScrollGrid", true},
      {[&] { m.SetDiagramStyle(2); }, "DiagramStyle", true},
  };
  for (const Case& c : cases) {
    site.ClearLog();
    c.set();
    EXPECT_EQ(site.changedProperties, std::vector<std::string>{c.name});
    EXPECT_EQ(site.refreshCount, c.redraws ? 1 : 0) << c.name;
  }
  EXPECT_EQ(site.image.At(20, 7), 0x123456u);
}

TEST_F(Monitor, DriveLetterNormalisation) {
  SystemMonitor& m = StartMain();
  m.SetHDDriveLetter("");
  EXPECT_EQ(m.HDDriveLetter(), "C:\\");
  EXPECT_TRUE(site.changedProperties.empty());
  m.SetHDDriveLetter("e");
  EXPECT_EQ(m.HDDriveLetter(), "e");
  for (const char* text : {"e:", "ex", "data", "E:\\"}) {
    m.SetHDDriveLetter(text);
    EXPECT_EQ(m.HDDriveLetter(), text[0] == 'd' ? "D:\\" : "E:\\") << text;
  }
  m.SetHDDriveLetter("\xC3\xA4x");  // a non-ASCII first character stays whole
  EXPECT_EQ(m.HDDriveLetter(), "\xC3\xA4:\\");
  m.SetHDDriveLetter("d");
  Tick(50);
  EXPECT_EQ(counters.log[1], "diskex d");
}

TEST_F(Monitor, InvalidFrameValuesAndIntervalsRaise380) {
  SystemMonitor& m = StartMain();
  try {
    m.SetBorderStyle(2);
    FAIL() << "no error";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), 380);
    EXPECT_EQ(e.Source(), "SystemMonitor.BorderStyle");
  }
  EXPECT_THROW(m.SetAppearance(-1), ControlError);
  EXPECT_THROW(m.SetUpdateInterval(-5), ControlError);
  EXPECT_EQ(m.BorderStyle(), 0);
  EXPECT_EQ(m.UpdateInterval(), 500);
  EXPECT_TRUE(site.changedProperties.empty());
}

TEST_F(Monitor, IntervalReachesTheTimerOnlyAtRunTime) {
  SystemMonitor& m = StartMain();
  m.SetUpdateInterval(250);
  EXPECT_EQ(site.timers.at(SystemMonitor::kTimer1), 250u);
  m.SetUpdateInterval(0);
  EXPECT_FALSE(site.TimerRunning(SystemMonitor::kTimer1)) << "0 does not fire";
  m.SetUpdateInterval(1000);
  EXPECT_EQ(site.timers.at(SystemMonitor::kTimer1), 1000u);
  // A restart (the host lining the timer up with its own) starts it anew at
  // the same interval, and never starts a timer that is not running.
  site.ClearLog();
  m.RestartTimer();
  EXPECT_EQ(site.timerLog, (std::vector<std::string>{"start 1 1000"}));
  m.SetUpdateInterval(0);
  site.ClearLog();
  m.RestartTimer();
  EXPECT_TRUE(site.timerLog.empty());
  m.SetUpdateInterval(1000);

  site.userMode = false;
  site.ClearLog();
  m.SetUpdateInterval(30);
  EXPECT_TRUE(site.timerLog.empty());

  site.userMode = true;
  m.Terminate();
  site.ClearLog();
  m.RestartTimer();
  EXPECT_TRUE(site.timerLog.empty()) << "ended";
}

TEST_F(Monitor, DesignModeStartHasNoTimer) {
  site.userMode = false;
  monitor = CreateMainWindowMonitor(site, sampler, locale);
  EXPECT_TRUE(site.timers.empty());
  EXPECT_EQ(monitor->History().size(), 442u);
}

TEST_F(Monitor, ResizeKeepsNewestSamplesAtTheRightEdge) {
  SystemMonitor& m = StartMain();
  for (int busy : {10, 20, 30}) Tick(busy);
  site.Resize(500, 89);
  m.OnResize();
  ASSERT_GE(m.History().size(), 500u);
  EXPECT_EQ(m.History()[499].CPULoadPercent, 30.0f);
  EXPECT_EQ(m.History()[497].CPULoadPercent, 10.0f);
  EXPECT_EQ(m.UnfilledColumns(), 496);
  Tick(40);
  EXPECT_EQ(m.History()[499].CPULoadPercent, 40.0f);

  site.Resize(3, 89);  // narrower than the samples taken
  m.OnResize();
  EXPECT_EQ(m.UnfilledColumns(), 0);
  EXPECT_EQ(m.History()[2].CPULoadPercent, 40.0f);
  Tick(50);
  site.Resize(0, 0);  // nothing to draw, nothing to break
  m.OnResize();
  Tick(50);
  EXPECT_EQ(reports.size(), 6u);
}

TEST_F(Monitor, PropertyBagWritesInOrderOmittingDefaults) {
  SystemMonitor& m = StartMain();
  PropertyBag bag;
  m.WriteProperties(bag);
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"BackColor", "BorderStyle", "CPUMonitorColor",
                                                  "DisplayGridColor", "UpdateInterval",
                                                  "HDDriveLetter"}));
  EXPECT_EQ(bag, MainWindowMonitorBag());
}

TEST_F(Monitor, PropertyBagRoundTripAndReadOrder) {
  SystemMonitor& m = StartMain();
  m.SetBackColor(0x80000005);
  m.SetAppearance(0);
  m.SetBorderStyle(1);
  m.SetCPUMonitorDisplayed(false);
  m.SetPageFileDisplayed(false);
  m.SetVirtualMemoryDisplayed(false);
  m.SetMemoryLoadDisplayed(false);
  m.SetHDMonitorDisplayed(false);
  m.SetMemoryLoadColor(0x111111);
  m.SetPageFileColor(0x222222);
  m.SetVirtualMemoryColor(0x333333);
  m.SetHDMonitorColor(0x444444);
  m.SetEnabled(false);
  m.SetDisplayGrid(false);
  m.SetScrollGrid(false);
  m.SetDiagramStyle(2);
  m.SetHDDriveLetter("q");
  PropertyBag bag;
  m.WriteProperties(bag);
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{
                            "BackColor", "Appearance", "CPUMonitorDisplayed", "PageFileDisplayed",
                            "VirtualMemoryDisplayed", "CPUMonitorColor", "MemoryLoadDisplayed",
                            "MemoryColor", "PageFileColor", "VirtualMemoryColor", "Enabled",
                            "DisplayGrid", "DisplayGridColor", "UpdateInterval", "ScrollGrid",
                            "DiagramStyle", "HDMonitorDisplayed", "HDMonitorColor",
                            "HDDriveLetter"}));

  FakeControlSite site2(441, 89);
  SystemMonitor copy(site2, sampler, locale);
  copy.ReadProperties(bag);
  EXPECT_EQ(bag.ReadLog(), (std::vector<std::string>{
                               "CPUMonitorDisplayed", "PageFileDisplayed", "VirtualMemoryDisplayed",
                               "CPUMonitorColor", "MemoryLoadDisplayed", "MemoryColor",
                               "PageFileColor", "VirtualMemoryColor", "DisplayGrid",
                               "DisplayGridColor", "UpdateInterval", "ScrollGrid", "DiagramStyle",
                               "Appearance", "BorderStyle", "BackColor", "Enabled",
                               "HDMonitorDisplayed", "HDMonitorColor", "HDDriveLetter"}));
  PropertyBag again;
  copy.WriteProperties(again);
  EXPECT_EQ(again, bag);
  EXPECT_EQ(copy.MemoryLoadColor(), 0x111111u);
  EXPECT_EQ(copy.HDDriveLetter(), "q");
  EXPECT_FALSE(copy.Enabled());
  EXPECT_EQ(site2.image.At(20, 7), 0xFFFFFFu) << "system window colour as back colour";
}

TEST_F(Monitor, TerminationStopsTimerAndCounterOnce) {
  counters.platformId = kPlatformWin32Windows;
  counters.openableKeys = {{"PerfStats\\StartStat", true}, {"PerfStats\\StatData", true},
                           {"PerfStats\\StopStat", true}};
  SystemMonitor& m = StartMain();
  EXPECT_FALSE(m.IsNT());
  m.Terminate();
  EXPECT_FALSE(site.TimerRunning(SystemMonitor::kTimer1));
  EXPECT_EQ(counters.log.front(), "close PerfStats\\StatData");
  const size_t calls = counters.log.size();
  monitor.reset();  // the destructor does not stop it twice
  EXPECT_EQ(counters.log.size(), calls);
}

TEST_F(Monitor, DoubleClickRaisesDblClickAndFormatFilesizeUsesLocale) {
  SystemMonitor& m = StartMain();
  m.OnDblClick();
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(m.FormatFilesize(5000000), "4.77 MB");
  EXPECT_EQ(m.hWnd(), site.windowHandle);
}

}  // namespace
}  // namespace tarvex
