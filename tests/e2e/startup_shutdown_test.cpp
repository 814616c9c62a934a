// Starts the real tarvex.exe from a fresh folder, finds its main window, asks it
// to close (answering the exit question when it comes) and checks a clean exit.
#include <gtest/gtest.h>

#include "tarvex_app.h"
#include "win/support/e2e.h"

namespace tarvex::e2e {
namespace {

TEST(StartupShutdown, MainWindowOpensAndClosesCleanly) {
  TempDir dir;
  const auto exe = dir.Path() / L"tarvex.exe";
  ASSERT_TRUE(std::filesystem::copy_file(BuildDir() / L"tarvex.exe", exe));

  auto app = Process::Start(exe);
  ASSERT_TRUE(app.has_value());
  HWND main = WaitForWindow(app->Id(), L"", kMainTitle);
  ASSERT_NE(main, nullptr) << "no main window";

  PostMessageW(main, WM_CLOSE, 0, 0);
  // The program may confirm the exit; answer Yes to whatever it asks.
  std::optional<DWORD> code;
  ASSERT_TRUE(WaitUntil(
      [&] {
        code = app->WaitExit(0ms);
        if (code) return true;
        for (HWND w : TopLevelWindows(app->Id(), true))
          if (ClassName(w) == L"#32770") ClickDialogButton(w, IDYES);
        return false;
      },
      15s));
  EXPECT_EQ(*code, 0u);
}

}  // namespace
}  // namespace tarvex::e2e
