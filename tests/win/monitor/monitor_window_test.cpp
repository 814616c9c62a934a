// The monitor's window under real Win32: frame styles, the persistent image on
// screen, timer-driven samples, double click and the enabled state. With
// TARVEX_MONITOR_SHOT=<file.bmp> it samples for TARVEX_MONITOR_SECONDS (60)
// at the main window's 500 ms and saves the window as a bitmap.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "monitor/load_sampler.h"
#include "monitor/main_window_monitor.h"
#include "host/win32/monitor_window.h"

namespace tarvex {
namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A top-level window to hold the monitor, destroyed at the end of a test.
class Host {
 public:
  Host(int clientWidth, int clientHeight) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TarvexMonitorTestHost";
    RegisterClassW(&wc);
    RECT r{0, 0, clientWidth, clientHeight};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    AdjustWindowRect(&r, style, FALSE);
    hwnd = CreateWindowW(L"TarvexMonitorTestHost", L"SystemMonitor", style, 40, 40,
                         r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~Host() { DestroyWindow(hwnd); }
  HWND hwnd = nullptr;
};

// Runs the message loop for `ms` milliseconds.
void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  MSG msg;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

COLORREF ScreenPixel(HWND hwnd, int x, int y) {
  HDC dc = GetDC(hwnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

// Saves the window's client area (as shown) as a 24-bit bitmap file.
bool SaveClientBitmap(HWND hwnd, const std::string& path) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  const int w = rc.right, h = rc.bottom;
  HDC screen = GetDC(hwnd);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  BITMAPINFOHEADER bih{};
  bih.biSize = sizeof(bih);
  bih.biWidth = w;
  bih.biHeight = h;  // bottom-up, as files store it
  bih.biPlanes = 1;
  bih.biBitCount = 24;
  const int stride = ((w * 3) + 3) & ~3;
  std::vector<char> pixels(static_cast<size_t>(stride) * h);
  GetDIBits(mem, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(hwnd, screen);
  BITMAPFILEHEADER bfh{};
  bfh.bfType = 0x4D42;
  bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
  bfh.bfSize = bfh.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&bfh), sizeof(bfh));
  out.write(reinterpret_cast<const char*>(&bih), sizeof(bih));
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return out.good();
}

TEST(MonitorWindow, MainWindowInstanceSamplesAndShowsItsImage) {
  Host host(461, 109);
  ASSERT_NE(host.hwnd, nullptr);
  auto window = CreateStateMonitorWindow(GetModuleHandleW(nullptr), host.hwnd, 100, POINT{10, 10});
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
  Pump(1200);
  ASSERT_GE(reports.size(), 5u);
  EXPECT_LE(reports.size(), 30u);
  for (const LevelsReport& r : reports) {
    // The figure is not clamped: at 50 ms the idle and wall clocks of the
    // platform can disagree by a point or two either way.
    EXPECT_GE(r.CPULoadPercent, -5);
    EXPECT_LE(r.CPULoadPercent, 105);
    EXPECT_GT(r.PhysicalMemoryTotal, 0);
    EXPECT_GT(r.HDTotalBytes.Scaled(), 0) << "C:\\ exists";
  }
  EXPECT_EQ(m.UnfilledColumns(), 440 - static_cast<int32_t>(reports.size()));
  // The screen shows the persistent image: back colour, grid, frame.
  EXPECT_EQ(ScreenPixel(hwnd, 20, 7), RGB(0xFB, 0xFD, 0xFB));
  EXPECT_EQ(ScreenPixel(hwnd, 0, 50), RGB(0xE0, 0xE0, 0xE0));
  EXPECT_EQ(ScreenPixel(hwnd, 440, 50), RGB(0xE0, 0xE0, 0xE0));

  SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(doubleClicks, 1);

  m.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  const size_t frozen = reports.size();
  Pump(300);
  EXPECT_EQ(reports.size(), frozen);
  m.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(hwnd));
}

TEST(MonitorWindow, BorderStylesChangeTheClientArea) {
  Host host(300, 120);
  MonitorWindow window;
  PropertyBag bag;  // defaults: 3-D single border
  ASSERT_NE(window.Create(GetModuleHandleW(nullptr), host.hwnd, 1, RECT{0, 0, 200, 100}, bag,
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
  Host host(461, 109);
  auto window = CreateStateMonitorWindow(GetModuleHandleW(nullptr), host.hwnd, 100, POINT{10, 10});
  ASSERT_NE(window, nullptr);
  ShowWindow(window->Handle(), SW_SHOW);
  Pump(static_cast<DWORD>(seconds) * 1000);
  EXPECT_GE(440 - window->Monitor().UnfilledColumns(), seconds * 2 - 4);
  EXPECT_TRUE(SaveClientBitmap(host.hwnd, shot));
}

}  // namespace
}  // namespace tarvex
