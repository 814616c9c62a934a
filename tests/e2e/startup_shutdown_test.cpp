// Starts the real tarvex.exe from a fresh folder, finds its main window, asks it
// to close (answering the exit question when it comes) and checks a clean exit.
// On the way: once the pages behind are made, the common controls it uses are
// version 6 (the side-by-side copy), which it activates itself.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>  // after windows.h

#include <algorithm>
#include <cwctype>

#include "tarvex_app.h"
#include "win/support/e2e.h"

namespace tarvex::e2e {
namespace {

// Lower-case paths of the modules loaded in process `pid` named `name`.
std::vector<std::wstring> ModulePaths(DWORD pid, const std::wstring& name) {
  std::vector<std::wstring> paths;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return paths;
  HMODULE modules[512];
  DWORD bytes = 0;
  if (EnumProcessModulesEx(process, modules, sizeof modules, &bytes, LIST_MODULES_ALL)) {
    for (DWORD i = 0; i < std::min<DWORD>(bytes / sizeof(HMODULE), 512); ++i) {
      wchar_t path[MAX_PATH] = {};
      if (!GetModuleFileNameExW(process, modules[i], path, MAX_PATH)) continue;
      std::wstring lower(path);
      std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return std::towlower(c); });
      if (lower.size() >= name.size() && lower.compare(lower.size() - name.size(), name.size(), name) == 0) {
        paths.push_back(lower);
      }
    }
  }
  CloseHandle(process);
  return paths;
}

TEST(StartupShutdown, MainWindowOpensAndClosesCleanly) {
  TempDir dir;
  const auto exe = dir.Path() / L"tarvex.exe";
  ASSERT_TRUE(std::filesystem::copy_file(BuildDir() / L"tarvex.exe", exe));

  auto app = Process::Start(exe);
  ASSERT_TRUE(app.has_value());
  HWND main = WaitForWindow(app->Id(), L"", kMainTitle);
  ASSERT_NE(main, nullptr) << "no main window";
  ASSERT_TRUE(WaitUntil([&] { return GetDlgItem(main, id::kListViewHistory) != nullptr; })) << "no history list";
  const auto comctl = ModulePaths(app->Id(), L"\\comctl32.dll");
  ASSERT_EQ(comctl.size(), 1u);
  EXPECT_NE(comctl[0].find(L"\\winsxs\\"), std::wstring::npos) << comctl[0];

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
