// What the speed-up leaves behind, seen from outside: a raised helper gets its
// own class back when it loses the foreground, when 启用加速 is cleared and when
// the logon ends; a class someone else set meanwhile stands; and settings
// survive a folder of tarvex.exe that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tarvex_app.h"

namespace tarvex::e2e {
namespace {

constexpr char kSpeedIni[] = "[Normal]\r\nEnableSpeed=1\r\n[Speed]\r\nSpeedLevel=1\r\n";

bool ClassBecomes(const Process& p, DWORD priorityClass) {
  return WaitUntil([&] { return PriorityClassOf(p.Id()) == priorityClass; }, 10s);
}

// Tarvex with speed-up on, and a helper in front that it has raised to high.
class GiveBack : public testing::Test {
 protected:
  void StartRaised(const std::wstring& title, bool idle) {
    ASSERT_TRUE(app_.Start());
    helper_ = StartHelperWindow(title, &window_, idle);
    ASSERT_TRUE(helper_ && window_);
    ASSERT_TRUE(ClassBecomes(*helper_, HIGH_PRIORITY_CLASS)) << std::hex << PriorityClassOf(helper_->Id());
  }
  int Count() const { return std::stoi(WindowText(app_.Control(id::kLabelCount))); }
  // Sets 启用加速 as a click would, without the mouse messages that may let
  // Wine bring Tarvex's window to the front.
  void SetSpeedUp(bool on) {
    HWND box = app_.Control(id::kCheckState);
    SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(app_.Main(), WM_COMMAND, MAKEWPARAM(id::kCheckState, BN_CLICKED), reinterpret_cast<LPARAM>(box));
  }

  TarvexApp app_{kSpeedIni};
  std::optional<Process> helper_;
  HWND window_ = nullptr;
};

TEST_F(GiveBack, AHelperThatPutItselfAtIdleGoesBackToIdle) {
  StartRaised(L"Idle Helper", true);
  ASSERT_TRUE(BringToForeground(app_.Main()));
  EXPECT_TRUE(ClassBecomes(*helper_, IDLE_PRIORITY_CLASS)) << std::hex << PriorityClassOf(helper_->Id());
}

TEST_F(GiveBack, ClearingSpeedUpGivesBackAndCheckingItAgainRaisesTheSameWindow) {
  StartRaised(L"Idle Helper Two", true);
  SetSpeedUp(false);  // the helper stays in front
  EXPECT_TRUE(ClassBecomes(*helper_, IDLE_PRIORITY_CLASS));
  // Read once the raise's tick has surely ended (a caption read does not wait for it).
  const int count = Count();
  SetSpeedUp(true);
  EXPECT_TRUE(ClassBecomes(*helper_, HIGH_PRIORITY_CLASS));
  EXPECT_TRUE(WaitUntil([&] { return Count() == count + 1; }));
  EXPECT_EQ(GetForegroundWindow(), window_) << "the same window all along";
}

TEST_F(GiveBack, TheEndOfTheLogonGivesBack) {
  StartRaised(L"Idle Helper Three", true);
  // No question is asked, so the helper keeps the foreground to the end.
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(app_.Main(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
  SendMessageTimeoutW(app_.Main(), WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &answer);
  ASSERT_TRUE(app_.WaitExit().has_value());
  EXPECT_EQ(PriorityClassOf(helper_->Id()), static_cast<DWORD>(IDLE_PRIORITY_CLASS));
}

TEST_F(GiveBack, AClassSetFromOutsideWhileRaisedStands) {
  StartRaised(L"Reniced Helper", false);
  // A second program (this driver, as Task Manager would) sets it to idle.
  HANDLE other = OpenProcess(PROCESS_SET_INFORMATION, FALSE, helper_->Id());
  ASSERT_NE(other, nullptr);
  ASSERT_TRUE(SetPriorityClass(other, IDLE_PRIORITY_CLASS));
  CloseHandle(other);
  ASSERT_TRUE(BringToForeground(app_.Main()));
  // Tarvex has seen its own window in front, so it has let go of the helper.
  ASSERT_TRUE(WaitUntil([&] { return WindowText(app_.Control(id::kLabelInfo)) == kMainTitle; }));
  EXPECT_EQ(PriorityClassOf(helper_->Id()), static_cast<DWORD>(IDLE_PRIORITY_CLASS));
}

// Makes a folder immutable through Wine's way to the host (chattr +i: as root,
// removing write bits stops nothing) and undoes it on every way out.
class ImmutableFolder {
 public:
  explicit ImmutableFolder(const std::filesystem::path& folder) {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    spawn_ = reinterpret_cast<Spawn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "__wine_unix_spawnvp")));
    auto toUnix = reinterpret_cast<char*(CDECL*)(const wchar_t*)>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
    if (!spawn_ || !toUnix) return;
    if (char* unix = toUnix(folder.c_str())) {
      unixPath_ = unix;
      HeapFree(GetProcessHeap(), 0, unix);
    }
    on_ = !unixPath_.empty() && Chattr("+i");
  }
  ~ImmutableFolder() {
    if (on_) Chattr("-i");
  }
  ImmutableFolder(const ImmutableFolder&) = delete;
  ImmutableFolder& operator=(const ImmutableFolder&) = delete;
  bool On() const { return on_; }

 private:
  using Spawn = LONG(CDECL*)(char* const argv[], int wait);
  bool Chattr(const char* flag) {
    std::string program = "chattr", mode = flag;
    char* argv[] = {program.data(), mode.data(), unixPath_.data(), nullptr};
    return spawn_(argv, 1) == 0;
  }
  Spawn spawn_ = nullptr;
  std::string unixPath_;
  bool on_ = false;
};

TEST(ReadOnlyFolder, SettingsSurviveARestartAndNothingAppearsBesideTheExe) {
  wchar_t appData[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
  const std::filesystem::path perUser = std::filesystem::path(appData) / L"Tarvex" / L"tarvex.ini";
  std::error_code ignored;
  std::filesystem::remove(perUser, ignored);

  const std::string beside = "[Record]\r\nRecordCount=200\r\n[Speed]\r\nSpeedLevel=2\r\n";
  TarvexApp app(beside);
  ImmutableFolder readOnly(app.Folder());
  if (!readOnly.On()) GTEST_SKIP() << "needs Wine and chattr to make the folder read-only";
  ASSERT_FALSE(CreateDirectoryW((app.Folder() / L"probe").c_str(), nullptr)) << "the folder is still writable";

  ASSERT_TRUE(app.Start());
  EXPECT_EQ(app.ComboText(id::kComboSpeed), L"疯狂加速");
  app.Select(id::kComboSpeed, 0);  // "普通加速"
  ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(perUser); }));
  ASSERT_TRUE(app.CloseAnswering(IDYES));
  ASSERT_TRUE(app.WaitExit().has_value());

  ASSERT_TRUE(app.Start());
  EXPECT_EQ(app.ComboText(id::kComboSpeed), L"普通加速");
  EXPECT_EQ(app.ComboText(id::kComboAutoCleanCount), L"200") << "seeded from the file beside the exe";
  ASSERT_TRUE(app.CloseAnswering(IDYES));
  ASSERT_TRUE(app.WaitExit().has_value());

  EXPECT_EQ(ReadFileBytes(app.Ini()), beside);
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(app.Folder())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 2) << "only tarvex.exe and tarvex.ini";
  std::filesystem::remove(perUser, ignored);
}

}  // namespace
}  // namespace tarvex::e2e
