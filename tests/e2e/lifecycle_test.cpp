// The program's life from outside: one instance only, the exit question and
// its answers, hiding to the tray and coming back, the tray menu, the shell's
// restart and the end of the logon.
#include <gtest/gtest.h>

#include "tarvex_app.h"

namespace tarvex::e2e {
namespace {

// Whether the program ends within a bound without showing any dialog.
bool EndsWithoutAsking(TarvexApp& app) {
  bool asked = false;
  const bool ended = WaitUntil([&] {
    for (HWND w : TopLevelWindows(app.App().Id(), true)) asked = asked || ClassName(w) == L"#32770";
    return !app.App().Running();
  }, 15s);
  return ended && !asked;
}

TEST(Lifecycle, SecondInstanceIsRefusedAndTheFirstLeftAlone) {
  TarvexApp first;
  ASSERT_TRUE(first.Start());
  RECT before{};
  GetWindowRect(first.Main(), &before);
  const auto iniBefore = ReadFileBytes(first.Ini());

  auto second = Process::Start(first.Exe(), L"", first.Folder());
  ASSERT_TRUE(second.has_value());
  HWND box = WaitForDialog(second->Id(), 15s);
  ASSERT_NE(box, nullptr) << "the second copy showed no message";
  // The box fills itself after it appears.
  EXPECT_TRUE(WaitUntil([&] { return MessageBoxText(box) == L"Tarvex 已经运行。"; }, 5s)) << Narrow(MessageBoxText(box));
  EXPECT_EQ(WindowText(box), L"Tarvex");
  // It made no main window of its own and touched no setting.
  for (HWND w : TopLevelWindows(second->Id(), false)) EXPECT_NE(WindowText(w), kMainTitle);
  ClickDialogButton(box, IDOK);
  ASSERT_TRUE(second->WaitExit(10s).has_value());
  EXPECT_EQ(ReadFileBytes(first.Ini()), iniBefore);
  EXPECT_TRUE(first.App().Running());
  RECT after{};
  GetWindowRect(first.Main(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(Lifecycle, AnsweringNoKeepsItRunningWithIconAndProcedure) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  HWND box = (PostMessageW(app.Main(), WM_CLOSE, 0, 0), app.WaitDialog());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"确定要退出吗？");
  EXPECT_EQ(WindowText(box), L"请确认?");
  EXPECT_NE(FindDescendant(box, L"Button", IDYES), nullptr);
  EXPECT_NE(FindDescendant(box, L"Button", IDNO), nullptr);
  ClickDialogButton(box, IDNO);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_TRUE(app.App().Running());
  EXPECT_TRUE(IsWindowVisible(app.Main()));
  EXPECT_TRUE(app.IconPresent());
  // The window procedure still answers minimise requests.
  app.ClickButton(id::kCommandMini);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.Main()); }));
}

TEST(Lifecycle, ExitButtonAnsweredYesEndsTheProgram) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  app.ClickButton(id::kCommandExit);
  HWND box = app.WaitDialog();
  ASSERT_NE(box, nullptr);
  ClickDialogButton(box, IDYES);
  const auto code = app.WaitExit();
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
}

TEST(Lifecycle, HideThenTrayDoubleClickRestoresAtTheSamePlace) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  SetWindowPos(app.Main(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT before{};
  GetWindowRect(app.Main(), &before);
  app.ClickButton(id::kCommandMini);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.Main()); }));
  EXPECT_TRUE(app.IconPresent());
  app.Tray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(app.Main()) != FALSE; }));
  RECT after{};
  GetWindowRect(app.Main(), &after);
  EXPECT_TRUE(EqualRect(&before, &after)) << after.left << "," << after.top;
  EXPECT_FALSE(IsIconic(app.Main()));
}

TEST(Lifecycle, SystemMinimiseAlsoHidesAndComesBackRestored) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  PostMessageW(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.Main()); }));
  app.Tray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(app.Main()) && !IsIconic(app.Main()); }));
}

TEST(Lifecycle, TrayMenuExitShowsTheWindowFirstThenAsks) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  app.ClickButton(id::kCommandMini);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.Main()); }));
  HWND box = nullptr;
  ASSERT_TRUE(app.ChooseFromTrayMenu(VK_UP, [&] { return (box = app.WaitDialog(100ms)) != nullptr; }));
  EXPECT_TRUE(IsWindowVisible(app.Main())) << "the window must be up before the question";
  EXPECT_EQ(MessageBoxText(box), L"确定要退出吗？");
  ClickDialogButton(box, IDNO);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_TRUE(app.App().Running());
}

TEST(Lifecycle, TrayMenuMainScreenShowsTheWindowRestored) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  PostMessageW(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.Main()); }));
  EXPECT_TRUE(app.ChooseFromTrayMenu(VK_DOWN, [&] { return IsWindowVisible(app.Main()) != FALSE; }));
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(app.Main()); }));
  EXPECT_TRUE(app.IconPresent());
  EXPECT_EQ(app.WaitDialog(300ms), nullptr);  // shown, nothing asked
}

TEST(Lifecycle, TrayDoesNothingWhileTheWindowIsVisible) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  app.Tray(WM_RBUTTONDOWN);
  app.Tray(WM_LBUTTONDBLCLK);
  // The absence of a menu is the result: watch for one over a bound.
  const bool menuShown = WaitUntil([] {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu);
  }, 1s);
  EXPECT_FALSE(menuShown);
  EXPECT_TRUE(IsWindowVisible(app.Main()));
}

TEST(Lifecycle, TaskbarCreatedAddsTheIconAgain) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.IconPresent());
  // The shell "restarts": it forgets the icon, then announces itself.
  ASSERT_TRUE(app.ForgetIcon());
  EXPECT_FALSE(app.IconPresent());
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(app.Main(), taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  EXPECT_TRUE(WaitUntil([&] { return app.IconPresent(); }, 5s));
}

TEST(Lifecycle, EndOfSessionThenCloseExitsWithoutTheQuestion) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  app.ClickButton(id::kCommandMini);  // hidden in the tray when the logon ends
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.Main()); }));
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(app.Main(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_NE(answer, 0u) << "the program must agree to end the session";
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(EndsWithoutAsking(app));
}

TEST(Lifecycle, EndOfSessionAloneRemovesTheIconAndEndsWithoutAsking) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.IconPresent());
  // The logon ends: WM_ENDSESSION(TRUE) with no WM_QUERYENDSESSION before it.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(app.Main(), WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  EXPECT_TRUE(EndsWithoutAsking(app));
  EXPECT_FALSE(app.IconPresent());
}

}  // namespace
}  // namespace tarvex::e2e
