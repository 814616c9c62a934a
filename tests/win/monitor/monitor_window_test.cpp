// The monitor's window under real Win32: frame styles, the persistent image on
// screen, timer-driven samples, double click and the enabled state. With
// TARVEX_MONITOR_SHOT=<file.bmp> it samples for TARVEX_MONITOR_SECONDS (60)
// at the main window's 500 ms and saves the window as a bitmap.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "monitor/load_sampler.h"
#include "monitor/main_window_monitor.h"
#include "host/win32/monitor_window.h"
#include "win/support/host_window.h"
#include "win/support/pixels.h"

namespace tarvex {
namespace {

// The stored look on screen where no sample is drawn yet (the samples fill
// from the right, so the newest column may carry a curve at any height):
// back colour inside, grid line at the left edge.
void ExpectStoredLook(HWND hwnd) {
  EXPECT_TRUE(ShowsPixel(hwnd, 20, 7, RGB(0xFB, 0xFD, 0xFB)));
  EXPECT_TRUE(ShowsPixel(hwnd, 0, 50, RGB(0xE0, 0xE0, 0xE0)));
}

TEST(MonitorWindow, MainWindowInstanceSamplesAndShowsItsImage) {
  HostWindow host(L"SystemMonitor", 40, 40, 461, 109);
  ASSERT_NE(host.Handle(), nullptr);
  auto window = CreateStateMonitorWindow(GetModuleHandleW(nullptr), host.Handle(), 100, POINT{10, 10});
  ASSERT_NE(window, nullptr);
  HWND hwnd = window->Handle();
  SystemMonitor& m = window->Monitor();
  EXPECT_EQ(window->ClientSize(), (Size{441, 89})) << "borderless: the whole window";
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  std::vector<LevelsReport> reports;
  int doubleClicks = 0;
  m.SetEvents({[&](const LevelsReport& r) { reports.push_back(r); }, [&] { ++doubleClicks; }});
  m.SetUpdateInterval(50);  // quicker than the stored 500 ms
  ShowWindow(hwnd, SW_SHOW);
  ASSERT_TRUE(PumpUntil([&] { return reports.size() >= 5; }, 10000));
  for (const LevelsReport& r : reports) {
    // The figure is not clamped: at 50 ms the idle and wall clocks of the
    // platform can disagree by a point or two either way.
    EXPECT_GE(r.CPULoadPercent, -5);
    EXPECT_LE(r.CPULoadPercent, 105);
    EXPECT_GT(r.PhysicalMemoryTotal, 0);
    EXPECT_GT(r.HDTotalBytes.Scaled(), 0) << "C:\\ exists";
  }
  EXPECT_EQ(m.UnfilledColumns(), 440 - static_cast<int32_t>(reports.size()));
  // The screen shows the persistent image.
  ExpectStoredLook(hwnd);

  SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(doubleClicks, 1);

  m.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  const size_t frozen = reports.size();
  PumpFor(300);  // several intervals: none may report
  EXPECT_EQ(reports.size(), frozen);
  m.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(hwnd));

  // Hidden, it samples on and draws when it is shown again.
  const Capture shown = CaptureClient(hwnd);
  ShowWindow(hwnd, SW_HIDE);
  EXPECT_FALSE(window->InSight());
  const size_t hiddenFrom = reports.size();
  ASSERT_TRUE(PumpUntil([&] { return reports.size() >= hiddenFrom + 5; }, 10000));
  ShowWindow(hwnd, SW_SHOW);
  EXPECT_TRUE(window->InSight());
  UpdateWindow(hwnd);
  EXPECT_TRUE(CaptureClient(hwnd).pixels != shown.pixels) << "the grid moved on while hidden";
  ExpectStoredLook(hwnd);
}

TEST(MonitorWindow, BorderStylesChangeTheClientArea) {
  HostWindow host(L"SystemMonitor", 40, 40, 300, 120);
  MonitorWindow window;
  PropertyBag bag;  // defaults: 3-D single border
  ASSERT_NE(window.Create(GetModuleHandleW(nullptr), host.Handle(), 1, RECT{0, 0, 200, 100}, bag,
                          WS_CHILD | WS_VISIBLE),
            nullptr);
  EXPECT_NE(GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(window.ClientSize(), (Size{196, 96}));
  EXPECT_EQ(window.Monitor().History().size(), 201u) << "the outer width + 1";
  EXPECT_EQ(window.Monitor().UnfilledColumns(), 195);
  window.Monitor().SetAppearance(kAppearanceFlat);
  EXPECT_EQ(window.ClientSize(), (Size{198, 98}));
  EXPECT_EQ(window.Monitor().UnfilledColumns(), 197);
  window.Monitor().SetBorderStyle(kBorderNone);
  EXPECT_EQ(window.ClientSize(), (Size{200, 100}));
  EXPECT_EQ(window.OuterSize(), (Size{200, 100}));
  EXPECT_NE(window.Monitor().hdc(), 0);
  EXPECT_EQ(window.Monitor().hWnd(), reinterpret_cast<intptr_t>(window.Handle()));
}

TEST(MonitorWindow, ScreenshotAfterAMinuteOfSamples) {
  const char* shot = std::getenv("TARVEX_MONITOR_SHOT");
  if (shot == nullptr) GTEST_SKIP() << "set TARVEX_MONITOR_SHOT=<file.bmp> to take it";
  const char* secondsText = std::getenv("TARVEX_MONITOR_SECONDS");
  const int seconds = secondsText ? std::atoi(secondsText) : 60;
  HostWindow host(L"SystemMonitor", 40, 40, 461, 109);
  auto window = CreateStateMonitorWindow(GetModuleHandleW(nullptr), host.Handle(), 100, POINT{10, 10});
  ASSERT_NE(window, nullptr);
  ShowWindow(window->Handle(), SW_SHOW);
  // Two samples a second; a loaded machine may take longer, never fewer samples.
  ASSERT_TRUE(PumpUntil([&] { return 440 - window->Monitor().UnfilledColumns() >= seconds * 2; },
                        static_cast<DWORD>(seconds) * 2000 + 10000));
  ExpectStoredLook(window->Handle());
  EXPECT_TRUE(SaveBmp(shot, CaptureClient(host.Handle())));
}

}  // namespace
}  // namespace tarvex
