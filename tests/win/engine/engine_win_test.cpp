// The engine on the REAL Win32 process platform: helper windows of another
// process are put in the foreground, engine ticks run, and the helper's
// priority class is read back with GetPriorityClass from here.
//
// Under Wine without administrator rights, a real-time request may come back
// as HIGH (as on Windows for a caller without the increase-base-priority
// right); the test accepts either and prints what it got.
#include <gtest/gtest.h>


#include "app/speed_up_engine.h"
#include "platform/win32/code_page_win32.h"
#include "platform/win32/process_win32.h"
#include "support/spine_fakes.h"
#include "win/support/e2e.h"

namespace tarvex {
namespace {

using namespace e2e;

struct Helper {
  std::optional<Process> process;
  HWND window = nullptr;
};

Helper StartHelper(const std::wstring& title) {
  Helper h;
  h.process = Process::Start(BuildDir() / L"e2e_window.exe", title);
  if (h.process) h.window = WaitForWindow(h.process->Id(), L"TarvexE2eWindow", title);
  return h;
}

class EngineOnWin32 : public testing::Test {
 protected:
  void SetUp() override {
    controls_.selected[SettingCombo::kSpeed] = "普通加速";
    controls_.selected[SettingCombo::kAutoCleanCount] = "100";
  }

  // Ticks until the engine has seen `window` in the foreground.
  // The foreground moves asynchronously, and under Wine it can pass through
  // "none" or back to a freshly shown helper: tick once it has stayed put.
  void TickOn(HWND window) {
    ASSERT_TRUE(WaitUntil(
        [&] {
          if (!BringToForeground(window)) return false;
          for (int i = 0; i < 5; ++i) {
            Sleep(10);
            if (GetForegroundWindow() != window) return false;
          }
          return true;
        },
        10s))
        << "could not bring the helper to the foreground";
    engine_.TimerMain_Timer();
    ASSERT_EQ(engine_.CurrentWindow(), static_cast<WindowHandle>(reinterpret_cast<intptr_t>(window)));
  }

  Win32ProcessPlatform process_;
  Win32CodePage codePage_;
  test::FakeSettingsControls controls_;
  test::FakeStatusView status_;
  test::FakeHistoryView list_;
  test::FakeClock clock_;
  test::FakeDialogs dialogs_;
  test::FakeFileSystem files_;
  SpeedUpHistory history_{list_, controls_, HistoryPlatform{clock_, dialogs_, files_, codePage_}};
  SpeedUpEngine engine_{process_, codePage_, controls_, status_, history_};
};

TEST_F(EngineOnWin32, NormalSpeedRaisesToHighAndRestoresTheLoserToNormal) {
  Helper a = StartHelper(L"Spine helper A");
  Helper b = StartHelper(L"Spine helper B");
  ASSERT_TRUE(a.window && b.window);

  TickOn(a.window);
  EXPECT_EQ(PriorityClassOf(a.process->Id()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
  EXPECT_EQ(status_.info, "Spine helper A");
  ASSERT_EQ(list_.items.size(), 1u);
  EXPECT_EQ(list_.items[0].texts[0], " 1");
  EXPECT_EQ(list_.items[0].texts[2], "Spine helper A");

  TickOn(b.window);
  EXPECT_EQ(PriorityClassOf(a.process->Id()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(PriorityClassOf(b.process->Id()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));

  // The same window again: nothing happens, not even a record.
  engine_.TimerMain_Timer();
  EXPECT_EQ(engine_.SpeedUpCount(), 2);
  EXPECT_EQ(list_.items.size(), 2u);
  EXPECT_EQ(status_.count, "2");
}

TEST_F(EngineOnWin32, CrazySpeedAsksForRealTime) {
  controls_.selected[SettingCombo::kSpeed] = "疯狂加速";
  Helper a = StartHelper(L"Spine helper C");
  Helper b = StartHelper(L"Spine helper D");
  ASSERT_TRUE(a.window && b.window);

  TickOn(a.window);
  // Real time where this user may have it (always under Wine); high without the right.
  const DWORD granted = PriorityClassOf(a.process->Id());
  EXPECT_EQ(granted, RealTimeAsGranted());
  // The record says what was granted.
  EXPECT_EQ(list_.items.at(0).texts[3], granted == REALTIME_PRIORITY_CLASS ? "疯狂加速" : "普通加速");

  TickOn(b.window);
  EXPECT_EQ(PriorityClassOf(a.process->Id()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
}

TEST_F(EngineOnWin32, AWindowOfAnEndedProcessIsSkippedQuietly) {
  Helper a = StartHelper(L"Spine helper E");
  Helper b = StartHelper(L"Spine helper F");
  ASSERT_TRUE(a.window && b.window);
  TickOn(a.window);
  PostMessageW(a.window, WM_CLOSE, 0, 0);  // the helper ends when its window closes
  ASSERT_EQ(a.process->WaitExit(), std::optional<DWORD>(0));
  TickOn(b.window);  // the previous window's process is gone: its open fails
  EXPECT_EQ(PriorityClassOf(b.process->Id()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
  EXPECT_EQ(engine_.SpeedUpCount(), 2);
}

}  // namespace
}  // namespace tarvex
