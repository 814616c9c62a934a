// The four pages of SSTabMain from outside: after start the page " 关于软件 "
// is in front; each page shows its own controls inside the tab control and
// keeps the others out of sight. With TARVEX_SCREENSHOTS set to a folder, the
// window of each page and the tray of the hidden state are saved there as BMP.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tarvex_app.h"
#include "tarvex_version.h"
#include "win/support/pixels.h"

namespace tarvex::e2e {
namespace {

// Saves what the screen shows inside `r` as a BMP; the picture must hold more
// than one colour (a blank capture says nothing).
void SaveScreen(const RECT& r, const std::filesystem::path& file) {
  // Under Wine a page repaints a moment after its controls have moved: the
  // picture is taken once two captures in a row agree (at most 5 s).
  Capture shot = CaptureScreen(r);
  for (int i = 0; i < 50; ++i) {
    Sleep(100);
    Capture next = CaptureScreen(r);
    if (next.pixels == shot.pixels) break;
    shot = std::move(next);
  }
  ASSERT_EQ(shot.width, r.right - r.left);
  EXPECT_TRUE(std::any_of(shot.pixels.begin(), shot.pixels.end(), [&](uint32_t p) { return p != shot.pixels[0]; }))
      << file.string() << " is one colour";
  EXPECT_TRUE(SaveBmp(file, shot));
}

std::optional<std::filesystem::path> ShotFolder() {
  const wchar_t* dir = _wgetenv(L"TARVEX_SCREENSHOTS");
  if (!dir || !*dir) return std::nullopt;
  return std::filesystem::path(dir);
}

// Whether `control` lies inside the tab control's client area on screen.
bool OnShownPage(HWND tab, HWND control) {
  RECT t{}, c{};
  GetWindowRect(tab, &t);
  GetWindowRect(control, &c);
  return IsWindowVisible(control) && c.left >= t.left && c.right <= t.right && c.top >= t.top && c.bottom <= t.bottom;
}

TEST(Pages, EachPageShowsOnlyItsOwnControls) {
  TarvexApp app("[Normal]\r\nEnableSpeed=1\r\n[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\nRecordCount=100\r\n");
  ASSERT_TRUE(app.Start());
  HWND helper = nullptr;
  auto helperProcess = StartHelperWindow(L"记事本 - 示例文档.txt", &helper);
  // The engine looks once a second: let it see the helper before leaving it.
  const std::wstring shown = ThroughAnsi(L"记事本 - 示例文档.txt");
  ASSERT_TRUE(WaitUntil([&] { return WindowText(app.Control(id::kLabelInfo)) == shown; }, 15s));
  ASSERT_TRUE(BringToForeground(app.Main()));
  ASSERT_TRUE(WaitUntil([&] { return app.HistoryCount() >= 2; }));

  const HWND tab = app.Control(id::kTabMain);
  ASSERT_NE(tab, nullptr);
  SetCursorPos(5, 1000);  // no hover effects or tips in the pictures
  // One control that only its page has, page by page.
  const HWND marks[4] = {app.Control(id::kLabelInfo), app.Control(id::kCheckAutoRun),
                         app.Control(id::kListViewHistory), FindDescendantByText(app.Main(), L"Version:" TARVEX_VERSION_STRING)};
  const char* names[4] = {"status", "settings", "history", "about"};
  int page = 3;  // " 关于软件 " is in front after start
  for (int step = 0; step < 4; ++step) {
    for (int other = 0; other < 4; ++other) {
      EXPECT_EQ(OnShownPage(tab, marks[other]), other == page) << "page " << page << ", control of page " << other;
    }
    if (auto dir = ShotFolder()) {
      RECT r{};
      GetWindowRect(app.Main(), &r);
      if (page == 0) {  // the diagram's back colour inside its frame
        RECT m{};
        GetWindowRect(app.Control(id::kSystemMonitor), &m);
        const auto back = [&] { return CaptureScreen(RECT{m.left + 20, m.top + 7, m.left + 21, m.top + 8}).At(0, 0); };
        EXPECT_TRUE(WaitUntil([&] { return back() == 0xFBFDFBu; }, 5s)) << "diagram shows RGB " << std::hex << back();
      }
      SaveScreen(r, *dir / (std::string("page-") + std::to_string(page) + "-" + names[page] + ".bmp"));
    }
    PostMessageW(tab, WM_KEYDOWN, VK_RIGHT, 0);  // the tab control's next page
    page = (page + 1) % 4;
    // The children move one by one: wait until the switch is complete.
    EXPECT_TRUE(WaitUntil([&] {
      for (int other = 0; other < 4; ++other)
        if (OnShownPage(tab, marks[other]) != (other == page)) return false;
      return true;
    }, 5s)) << "switch to page " << page;
  }

  if (auto dir = ShotFolder()) {
    app.ClickButton(id::kCommandMini);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.Main()); }));
    SaveScreen(RECT{0, 0, 320, 120}, *dir / "page-hidden-tray.bmp");
  }
}

TEST(Pages, TabKeyStaysOnTheShownPage) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(BringToForeground(app.Main()));
  const HWND tab = app.Control(id::kTabMain);
  ASSERT_NE(tab, nullptr);
  PostMessageW(tab, WM_KEYDOWN, VK_RIGHT, 0);  // " 关于软件 " -> " 状态 "
  PostMessageW(tab, WM_KEYDOWN, VK_RIGHT, 0);  // -> " 软件设置 "
  HWND check = app.Control(id::kCheckAutoRun);
  ASSERT_TRUE(WaitUntil([&] {
    RECT c{}, m{};
    GetWindowRect(check, &c);
    GetWindowRect(app.Main(), &m);
    return c.left > m.left && c.right < m.right;
  }));
  const DWORD thread = GetWindowThreadProcessId(app.Main(), nullptr);
  RECT client{};
  GetWindowRect(app.Main(), &client);
  int settingsStops = 0;
  auto focus = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
    return info.hwndFocus;
  };
  for (int i = 0; i < 10; ++i) {
    const HWND before = focus();
    PostMessageW(before ? before : check, WM_KEYDOWN, VK_TAB, 0);
    // The page has several stops: each Tab moves the focus.
    EXPECT_TRUE(WaitUntil([&] { return focus() != before; }, 5s)) << "Tab " << i << " did not move the focus";
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
    if (!info.hwndFocus) continue;
    RECT f{};
    GetWindowRect(info.hwndFocus, &f);
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &f, &client)) << "focus left the window for " << Narrow(ClassName(info.hwndFocus));
    const int id = GetDlgCtrlID(info.hwndFocus);
    if (id >= id::kCheckAutoRun && id <= id::kComboAutoCleanCount) ++settingsStops;
  }
  EXPECT_GT(settingsStops, 0);
}

}  // namespace
}  // namespace tarvex::e2e
