// e2e_window.exe: a plain top-level window whose title is the command line
// ("e2e_window.exe Some Title"), shown at once and kept until it is closed.
// End-to-end tests put it in the foreground to watch what Tarvex does to it.
// "--idle Some Title" first puts its own process at the idle class, as a user
// would a background job.
#include <windows.h>

#include <string>
#include <string_view>

namespace {

constexpr wchar_t kClassName[] = L"TarvexE2eWindow";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The command line without surrounding blanks and one pair of quotes.
std::wstring TitleFrom(const wchar_t* commandLine) {
  std::wstring title = commandLine ? commandLine : L"";
  while (!title.empty() && title.front() == L' ') title.erase(title.begin());
  while (!title.empty() && title.back() == L' ') title.pop_back();
  if (title.size() >= 2 && title.front() == L'"' && title.back() == L'"') title = title.substr(1, title.size() - 2);
  return title.empty() ? L"e2e_window" : title;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassExW(&wc)) return 1;

  std::wstring arguments = commandLine ? commandLine : L"";
  constexpr std::wstring_view kIdle = L"--idle ";
  if (arguments.rfind(kIdle, 0) == 0) {
    arguments.erase(0, kIdle.size());
    if (!SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS)) return 2;
  }
  const std::wstring title = TitleFrom(arguments.c_str());
  HWND window = CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 200,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  SetForegroundWindow(window);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
