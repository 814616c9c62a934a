// idle_window.exe: the least a Win32 program with Tarvex's two timers does (a
// shown top-level window, a 1 s and a 0.5 s timer, an empty message loop).
// The idle measurement holds tarvex.exe against it.
// Built as idle_sampler.exe (TARVEX_IDLE_SAMPLES), the 0.5 s tick also takes
// the monitor's sample through the program's own load sampler: the platform
// calls the sampling rules require, priced on their own.
// Built as idle_controls.exe (TARVEX_IDLE_COMMON_CONTROLS, with Tarvex's
// manifest), it also starts the common-controls library as Tarvex does: the
// start-up price of the library the history list needs, on its own.
#include <windows.h>
#ifdef TARVEX_IDLE_COMMON_CONTROLS
#include <commctrl.h>
#endif

#ifdef TARVEX_IDLE_SAMPLES
#include "monitor/load_sampler.h"
#include "platform/win32/load_counters_win32.h"
#endif

namespace {

#ifdef TARVEX_IDLE_SAMPLES
constexpr UINT_PTR kSampleTimer = 2;

// The calls of one monitor sample, in the monitor's order.
void TakeSample() {
  static tarvex::Win32LoadCounters counters;
  static tarvex::ModuleLoadSampler sampler(counters);
  static bool isNT = [] {
    bool nt = sampler.IsWindowsNT();
    sampler.InitCPUCounter(nt);
    return nt;
  }();
  static const std::string root = sampler.GetWindowsDirectoryPath().substr(0, 3);
  tarvex::SystemLevels levels{};
  sampler.QueryMemoryLevels(levels);
  sampler.QueryDiskLevels(root, levels);
  levels.CPULoadPercent = sampler.QueryCPUUsage(isNT);
}
#endif

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
#ifdef TARVEX_IDLE_SAMPLES
      if (wParam == kSampleTimer) TakeSample();
#endif
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef TARVEX_IDLE_COMMON_CONTROLS
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
#endif
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"TarvexIdleWindow";
  if (!RegisterClassExW(&wc)) return 1;
  // Centred like Tarvex's window, so the pointer starts over both alike.
  constexpr int kWidth = 564, kHeight = 400;
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"idle_window", WS_OVERLAPPEDWINDOW,
                                (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2, kWidth, kHeight,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  SetTimer(window, 1, 1000, nullptr);
  SetTimer(window, 2, 500, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
