// The speed-up from outside: a helper window in the foreground is raised,
// shown, counted and recorded; the history saves as the exact text; the
// program's GDI, USER and kernel handle counts stay flat while it works.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "tarvex_app.h"

#include <psapi.h>  // after windows.h

namespace tarvex::e2e {
namespace {

constexpr char kRecordingIni[] =
    "[Normal]\r\nEnableSpeed=1\r\n[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\nRecordCount=100\r\n";

std::string ToAnsi(const std::wstring& wide) {
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

TEST(Engine, ForegroundHelperIsRaisedShownCountedAndRecorded) {
  TarvexApp app(kRecordingIni);
  ASSERT_TRUE(app.Start());
  // Whatever was recorded at start goes; numbering starts again at 1.
  app.ClickButton(id::kCommandClearRecords);
  ASSERT_TRUE(WaitUntil([&] { return app.HistoryCount() == 0; }));
  const int countBefore = std::stoi(WindowText(app.Control(id::kLabelCount)));

  HWND helperWindow = nullptr;
  auto helper = StartHelperWindow(L"E2E Helper Window", &helperWindow);
  ASSERT_TRUE(helper && helperWindow);
  ASSERT_TRUE(WaitUntil([&] { return app.HistoryCount() >= 1; }, 5s));
  EXPECT_EQ(app.HistoryText(0, 0), L" 1");
  EXPECT_EQ(app.HistoryText(0, 2), L"E2E Helper Window");
  EXPECT_EQ(app.HistoryText(0, 3), L"普通加速");
  EXPECT_FALSE(app.HistoryText(0, 1).empty());  // the time of day
  EXPECT_TRUE(WaitUntil([&] { return PriorityClassOf(helper->Id()) == HIGH_PRIORITY_CLASS; }, 5s))
      << std::hex << PriorityClassOf(helper->Id());
  EXPECT_EQ(WindowText(app.Control(id::kLabelInfo)), L"E2E Helper Window");
  EXPECT_EQ(std::stoi(WindowText(app.Control(id::kLabelCount))), countBefore + 1);

  // The program's own window takes the foreground: the helper goes back to normal.
  ASSERT_TRUE(BringToForeground(app.Main()));
  EXPECT_TRUE(WaitUntil([&] { return PriorityClassOf(helper->Id()) == NORMAL_PRIORITY_CLASS; }, 5s));
  EXPECT_TRUE(WaitUntil([&] { return app.HistoryCount() == 2; }, 5s));
  EXPECT_EQ(app.HistoryText(1, 0), L" 2");
  EXPECT_EQ(app.HistoryText(1, 2), kMainTitle);
}

TEST(Engine, WindowInFrontAtStartIsRecordNumberOne) {
  HWND helperWindow = nullptr;
  auto helper = StartHelperWindow(L"In Front At Start", &helperWindow);
  ASSERT_TRUE(helper && helperWindow);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == helperWindow; }));
  // No AlwaysTop key: clearing "窗体总在最前" at start must not make the
  // hidden window the foreground before the start-up tick looks.
  TarvexApp app(kRecordingIni);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitUntil([&] { return app.HistoryCount() >= 1; }));
  EXPECT_EQ(app.HistoryText(0, 0), L" 1");
  EXPECT_EQ(app.HistoryText(0, 2), L"In Front At Start");
}

TEST(Engine, CrazyLevelAsksForRealTime) {
  HWND helperWindow = nullptr;
  TarvexApp app("[Normal]\r\nEnableSpeed=1\r\n[Speed]\r\nSpeedLevel=2\r\n");
  ASSERT_TRUE(app.Start());
  auto helper = StartHelperWindow(L"E2E Crazy", &helperWindow);
  ASSERT_TRUE(helper && helperWindow);
  // Real time where the platform grants it; without the right, high.
  EXPECT_TRUE(WaitUntil([&] {
    const DWORD c = PriorityClassOf(helper->Id());
    return c == REALTIME_PRIORITY_CLASS || c == HIGH_PRIORITY_CLASS;
  }, 5s));
}

TEST(Engine, SaveWritesTheExactFile) {
  TarvexApp app(kRecordingIni);
  ASSERT_TRUE(app.Start());
  HWND helperWindow = nullptr;
  auto helper = StartHelperWindow(L"Saved Title with blanks", &helperWindow);
  ASSERT_TRUE(helper && helperWindow);
  auto shown = [&](const wchar_t* title) { return WindowText(app.Control(id::kLabelInfo)) == title; };
  ASSERT_TRUE(WaitUntil([&] { return shown(L"Saved Title with blanks"); }, 15s));
  ASSERT_TRUE(BringToForeground(app.Main()));
  ASSERT_TRUE(WaitUntil([&] { return shown(kMainTitle); }, 15s));
  ASSERT_GE(app.HistoryCount(), 2);  // the helper, then the window itself

  // Recording off: the dialogs below move the foreground, which must not add
  // records between the save and the read-back.
  app.ClickCheck(id::kCheckEnableRecord);
  const auto file = app.Folder() / L"records.txt";
  app.ClickButton(id::kCommandSaveRecords);
  HWND dialog = app.WaitDialog();
  ASSERT_NE(dialog, nullptr);
  HWND edit = FindDescendant(FindDescendant(FindDescendant(dialog, L"ComboBoxEx32"), L"ComboBox"), L"Edit");
  if (!edit) edit = FindDescendant(dialog, L"Edit");
  ASSERT_NE(edit, nullptr);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  HWND open = nullptr;
  for (HWND b = FindWindowExW(dialog, nullptr, L"Button", nullptr); b; b = FindWindowExW(dialog, b, L"Button", nullptr))
    if (GetDlgCtrlID(b) == IDOK) open = b;
  ASSERT_NE(open, nullptr);
  PostMessageW(open, BM_CLICK, 0, 0);
  HWND done = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND w : TopLevelWindows(app.App().Id(), true))
      if (ClassName(w) == L"#32770" && MessageBoxText(w) == L"保存成功。") { done = w; return true; }
    return false;
  }));
  EXPECT_EQ(WindowText(done), L":-)");
  ClickDialogButton(done, IDOK);

  std::wstring expected = L"Tarvex 加速记录\r\nhttps://www.tarvex.cn/tarvex/cn/\r\n";
  for (int i = 0; i < app.HistoryCount(); ++i)
    expected += app.HistoryText(i, 0) + L" " + app.HistoryText(i, 1) + L" " + app.HistoryText(i, 2) + L" \r\n";
  EXPECT_EQ(ReadFileBytes(file), ToAnsi(expected));
}

TEST(Engine, EmptyHistorySaysThereIsNothingToSave) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  app.ClickButton(id::kCommandClearRecords);
  app.ClickButton(id::kCommandSaveRecords);
  HWND box = app.WaitDialog();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"没有记录可保存。");
  EXPECT_EQ(WindowText(box), L"错误");
  ClickDialogButton(box, IDOK);
}

TEST(Engine, ObjectAndHandleCountsStayFlatWhileWorking) {
  HWND a = nullptr, b = nullptr;
  auto helperA = StartHelperWindow(L"Flat A", &a);
  auto helperB = StartHelperWindow(L"Flat B", &b);
  ASSERT_TRUE(helperA && helperB && a && b);
  TarvexApp app(kRecordingIni);
  ASSERT_TRUE(app.Start());
  HWND tab = nullptr;
  for (HWND w = FindWindowExW(app.Main(), nullptr, nullptr, nullptr); w; w = FindWindowExW(app.Main(), w, nullptr, nullptr)) {
    RECT r{};
    GetWindowRect(w, &r);
    if (r.right - r.left == 553 && r.bottom - r.top == 329) tab = w;  // SSTabMain
  }
  ASSERT_NE(tab, nullptr);
  auto exercise = [&](int rounds) {
    for (int i = 0; i < rounds; ++i) {
      BringToForeground(i % 2 ? a : b);  // a speed-up and a record each second
      PostMessageW(tab, WM_KEYDOWN, VK_RIGHT, 0);  // the next page: children move, tabs repaint
      HWND button = app.Control(id::kCommandExit);
      PostMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));  // hover: the button's timer and repaint
      PostMessageW(app.Control(id::kCommandClearRecords), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      PostMessageW(app.Control(id::kCommandClearRecords), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // pressed: clears
      Sleep(1100);
    }
  };
  // Private bytes too: where the platform cannot count GDI and USER objects
  // (Wine answers 0), a leak of them still shows as growing memory.
  auto privateBytes = [&] {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (!GetProcessMemoryInfo(app.App().Handle(), &pmc, sizeof pmc)) return SIZE_T{0};
    return pmc.PagefileUsage;  // committed private memory
  };
  exercise(3);  // warm up: first paints, lazily created objects
  const ResourceCounts before = ResourcesOf(app.App().Handle());
  const SIZE_T memoryBefore = privateBytes();
  // TARVEX_SOAK_ROUNDS stretches the run (600 rounds are about ten minutes).
  const wchar_t* rounds = _wgetenv(L"TARVEX_SOAK_ROUNDS");
  exercise(rounds != nullptr && _wtoi(rounds) > 0 ? _wtoi(rounds) : 12);
  const ResourceCounts after = ResourcesOf(app.App().Handle());
  const SIZE_T memoryAfter = privateBytes();
  std::printf("committed memory %zu KiB -> %zu KiB\n", memoryBefore / 1024, memoryAfter / 1024);
  EXPECT_GT(memoryBefore, 0u);
  EXPECT_LE(memoryAfter, memoryBefore + 1024 * 1024);
  std::printf("GDI %lu -> %lu, USER %lu -> %lu, handles %lu -> %lu\n", before.gdi, after.gdi, before.user,
              after.user, before.handles, after.handles);
  EXPECT_LE(after.gdi, before.gdi + 2) << before.gdi << " -> " << after.gdi;
  EXPECT_LE(after.user, before.user + 2) << before.user << " -> " << after.user;
  EXPECT_LE(after.handles, before.handles + 4) << before.handles << " -> " << after.handles;
}

}  // namespace
}  // namespace tarvex::e2e
