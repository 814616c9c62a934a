// The spine's Win32 platform pieces on their own and under the real modules:
// the settings file beside the executable, the Run value in the registry, the
// ANSI code page, the locale's time, safe file replacement, and the history's
// save through the real message box and open-file dialog (answered from a
// second thread, as a user would).
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <regex>
#include <thread>

#include "app/module_auto_run.h"
#include "app/module_config.h"
#include "app/product_address.h"
#include "app/speed_up_history.h"
#include "platform/win32/autostart_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/code_page_win32.h"
#include "platform/win32/common_controls_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/profile_win32.h"
#include "support/spine_fakes.h"
#include "win/support/e2e.h"

namespace tarvex {
namespace {

using namespace e2e;

bool DoubleByteCodePage() { return IsDBCSLeadByte(0xBC) != FALSE; }

TEST(Win32FileSystem, KnowsWhereTheExecutableLies) {
  Win32FileSystem files;
  EXPECT_EQ(Widen(files.ExecutableDirectory()), BuildDir().wstring());
  EXPECT_EQ(files.ExecutableBaseName(), "tarvex_win_spine_platform");
}

TEST(Win32FileSystem, FactsForTheSettingsFolder) {
  TempDir dir;
  Win32FileSystem files;
  const std::string root = Narrow(dir.Path().wstring());
  EXPECT_TRUE(files.DirectoryWritable(root));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 0)
      << "the probe leaves nothing behind";
  EXPECT_FALSE(files.DirectoryWritable(root + "\\missing"));

  const std::string nested = root + "\\a\\b\\Tarvex";
  ASSERT_TRUE(files.CreateDirectories(nested));
  EXPECT_TRUE(files.CreateDirectories(nested)) << "an existing folder is fine";
  EXPECT_EQ(files.ReadFile(nested + "\\none.ini"), std::nullopt);
  ASSERT_TRUE(files.OverwriteFile(nested + "\\x.ini", std::string(5000, 'x') + "\r\n").Ok());
  EXPECT_EQ(files.ReadFile(nested + "\\x.ini"), std::string(5000, 'x') + "\r\n");

  wchar_t appData[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
  EXPECT_EQ(Widen(files.UserSettingsDirectory()), std::wstring(appData) + L"\\Tarvex");
}

TEST(Win32FileSystem, ReplacesContentSafelyAndReportsTheSystemsText) {
  TempDir dir;
  Win32FileSystem files;
  const std::string path = Narrow((dir.Path() / L"log.txt").wstring());
  ASSERT_TRUE(files.OverwriteFile(path, std::string(4000, '#')).Ok());
  ASSERT_TRUE(ReplaceFileContents(files, path, "short\r\n").Ok());
  EXPECT_EQ(ReadFileBytes(Widen(path)), "short\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1)
      << "no temporary file is left behind";

  // A read-only target: the rename fails, the old content stays.
  // (Wine would rename over it; Windows refuses, and so does Win32FileSystem.)
  SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
  const FileResult refused = ReplaceFileContents(files, path, "other");
  SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(refused.Ok());
  EXPECT_FALSE(refused.errorText.empty());
  std::printf("read-only target: \"%s\"\n", refused.errorText.c_str());
  EXPECT_EQ(ReadFileBytes(Widen(path)), "short\r\n");

  const FileResult missing = ReplaceFileContents(files, Narrow((dir.Path() / L"no\\such.txt").wstring()), "x");
  EXPECT_EQ(missing.failure, FileFailure::kCreate);
  EXPECT_FALSE(missing.errorText.empty());
}

TEST(Win32CodePage, ConvertsAtTheAnsiEdge) {
  Win32CodePage cp;
  if (DoubleByteCodePage()) {
    EXPECT_EQ(cp.Utf8ToAnsi("加速 1"), "\xBC\xD3\xCB\xD9 1");
    EXPECT_EQ(cp.AnsiToUtf8("\xBC\xD3\xCB\xD9"), "加速");
    EXPECT_EQ(CutAnsi(cp.Utf8ToAnsi("加速"), 3, cp), "\xBC\xD3");
  } else {
    EXPECT_EQ(cp.Utf8ToAnsi("加速 1"), "?? 1");
    EXPECT_EQ(cp.AnsiToUtf8("caf\xE9"), "café");
  }
}

TEST(Win32Clock, GivesHoursMinutesAndSeconds) {
  Win32Clock clock;
  const std::string now = clock.TimeOfDayText();
  std::printf("time of day: %s\n", now.c_str());
  EXPECT_TRUE(std::regex_search(now, std::regex("[0-9]{1,2}:[0-9]{2}:[0-9]{2}"))) << now;
}

TEST(Win32Settings, TheFileBesideTheExecutableAndItsBufferLimit) {
  Win32ProfileStore profile;
  Win32FileSystem files;
  Win32CodePage cp;
  ModuleConfig config(profile, files, cp);
  const std::wstring ini = (BuildDir() / L"tarvex.ini").wstring();
  const FileSetAside usersFile(ini);  // a tarvex.exe in this folder keeps its settings there
  EXPECT_EQ(Widen(config.SettingsPath()), ini);
  EXPECT_EQ(config.GetAutoRun(), std::nullopt);
  ASSERT_TRUE(config.SetRecordCount(std::string(300, 'r')));
  EXPECT_EQ(config.GetRecordCount(), std::string(254, 'r'));
  if (DoubleByteCodePage()) {
    std::string chinese;
    for (int i = 0; i < 150; ++i) chinese += "加";
    ASSERT_TRUE(config.SetAutoMin(chinese));
    EXPECT_EQ(config.GetAutoMin(), chinese.substr(0, 127 * 3));
  }
  ASSERT_TRUE(config.SetSpeedLevel("2"));
  EXPECT_EQ(ReadIni(ini, L"Speed", L"SpeedLevel"), L"2");
}

TEST(Win32AutoStart, TheRunValueIsWrittenAndRemovedInBothLists) {
  Win32AutoStartStore store;
  const wchar_t* runKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  Win32FileSystem files;
  Win32CodePage cp;
  ModuleAutoRun autoRun(store, files, cp);
  const RegistryValueGuard restoreMachine(HKEY_LOCAL_MACHINE, runKey, L"Tarvex_CN");
  const RegistryValueGuard restoreUser(HKEY_CURRENT_USER, runKey, L"Tarvex_CN");
  const std::wstring exe = (BuildDir() / L"tarvex_win_spine_platform.exe").wstring();

  // The per-user list on its own (what a user without rights gets).
  ASSERT_TRUE(store.SetRunValue(RunScope::kUser, "Tarvex_CN", Narrow(exe)).ok);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, runKey, L"Tarvex_CN"), exe);

  EXPECT_EQ(autoRun.AddAutoRun(), std::nullopt);
  const auto data = ReadRegistryString(HKEY_LOCAL_MACHINE, runKey, L"Tarvex_CN");
  if (data) {
    EXPECT_EQ(*data, exe);
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, runKey, L"Tarvex_CN"), std::nullopt) << "one entry only";
  } else {
    std::printf("no right to write HKLM here: the per-user value stands in\n");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, runKey, L"Tarvex_CN"), exe);
  }
  autoRun.RemoveAutoRun();
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, runKey, L"Tarvex_CN"), std::nullopt);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, runKey, L"Tarvex_CN"), std::nullopt);
  autoRun.RemoveAutoRun();  // removing what is not there is silent
}

// Answers the dialogs of this process from another thread, one after the
// other, while the test's thread sits in their modal loops.
class DialogAnswers {
 public:
  using Answer = std::function<void(HWND)>;
  explicit DialogAnswers(std::vector<Answer> answers)
      : thread_([this, answers = std::move(answers)] {
          HWND previous = nullptr;
          for (const Answer& answer : answers) {
            if (previous) WaitUntil([&] { return !IsWindow(previous); });
            HWND dialog = WaitForDialog(GetCurrentProcessId(), 5s);
            if (!dialog) return;
            ++answered;
            answer(dialog);
            previous = dialog;
          }
        }) {}
  ~DialogAnswers() { thread_.join(); }
  std::atomic<int> answered{0};

 private:
  std::thread thread_;
};

std::wstring WaitForMessageText(HWND box) {
  std::wstring text;
  WaitUntil([&] { return !(text = MessageBoxText(box)).empty(); });
  return text;
}

void TypeFileNameAndOpen(HWND dialog, const std::wstring& name) {
  HWND edit = nullptr;
  WaitUntil([&] {
    HWND combo = FindDescendant(dialog, L"ComboBoxEx32", 0x47c);
    HWND box = combo ? FindDescendant(combo, L"ComboBox") : nullptr;
    edit = box ? FindDescendant(box, L"Edit") : FindDescendant(dialog, L"Edit", 0x480);
    return edit != nullptr;
  });
  if (!edit) {
    std::wstring tree;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM out) {
          *reinterpret_cast<std::wstring*>(out) += ClassName(child) + L"#" + std::to_wstring(GetDlgCtrlID(child)) + L" ";
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&tree));
    ADD_FAILURE() << "no file-name field in the dialog " << Narrow(ClassName(dialog)) << ": " << Narrow(tree);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return;
  }
  // A dialog still busy filling its view may drop the first OK: try again.
  for (int attempt = 0; attempt < 5; ++attempt) {
    // The dialog's own message for its file-name field, then the edit itself.
    SendMessageW(dialog, CDM_SETCONTROLTEXT, 0x47c, reinterpret_cast<LPARAM>(name.c_str()));
    if (GetWindowTextLengthW(edit) == 0) SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (WaitUntil([&] { return !IsWindow(dialog); }, 3s)) return;
  }
  std::wstring windows;
  for (HWND w : TopLevelWindows(GetCurrentProcessId())) {
    windows += ClassName(w) + L" \"" + WindowText(w) + L"\" ";
    if (HWND text = GetDlgItem(w, 0xFFFF)) windows += L"(" + WindowText(text) + L") ";
  }
  wchar_t typed[512] = {};
  GetWindowTextW(edit, typed, 512);
  ADD_FAILURE() << "the file dialog did not take the name \"" << Narrow(typed) << "\"; windows: " << Narrow(windows);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

class Win32History : public testing::Test {
 protected:
  void SetUp() override { controls_.selected[SettingCombo::kAutoCleanCount] = "50"; }

  TempDir dir_;
  Win32Dialogs dialogs_;
  Win32FileSystem files_;
  Win32CodePage cp_;
  test::FakeClock clock_;
  test::FakeSettingsControls controls_;
  test::FakeHistoryView list_;
  SpeedUpHistory history_{list_, controls_, HistoryPlatform{clock_, dialogs_, files_, cp_}};
};

TEST_F(Win32History, AnEmptyListWarns) {
  std::wstring text;
  {
    DialogAnswers answers({[&](HWND box) {
      text = WaitForMessageText(box);
      ClickDialogButton(box, IDOK);
    }});
    history_.SaveRecords();
  }
  EXPECT_EQ(text, L"没有记录可保存。");
}

TEST_F(Win32History, SavesTheExactTextUnderTheTypedNameAndSaysSo) {
  const std::wstring target = (dir_.Path() / L"saved").wstring();  // no extension is added
  {
    std::ofstream(std::filesystem::path(target), std::ios::binary) << std::string(3000, '#');  // older, longer
  }
  clock_.now = "14:03:22";
  history_.AddSpeedUpRecord("Notepad", "普通加速");
  history_.AddSpeedUpRecord("a  b", "疯狂加速");
  history_.AddSpeedUpRecord("加速", "普通加速");
  std::wstring success;
  {
    DialogAnswers answers({[&](HWND d) { TypeFileNameAndOpen(d, target); },
                           [&](HWND box) {
                             success = WaitForMessageText(box);
                             ClickDialogButton(box, IDOK);
                           }});
    history_.SaveRecords();
  }
  EXPECT_EQ(success, L"保存成功。");
  const std::string expected = std::string("Tarvex 加速记录\r\n") + kProductPagesAddress +
                               "\r\n 1 14:03:22 Notepad \r\n 2 14:03:22 a  b \r\n 3 14:03:22 加速 \r\n";
  EXPECT_EQ(ReadFileBytes(target), cp_.Utf8ToAnsi(expected));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), std::filesystem::directory_iterator()), 1);
}

TEST_F(Win32History, CancellingTheDialogWritesAndShowsNothing) {
  history_.AddSpeedUpRecord("x", "普通加速");
  int dialogsSeen = 0;
  {
    DialogAnswers answers({[&](HWND d) { PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); },
                           [&](HWND box) { ClickDialogButton(box, IDOK); }});
    history_.SaveRecords();
    dialogsSeen = answers.answered;
  }
  EXPECT_EQ(dialogsSeen, 1) << "no message after a cancel";
  EXPECT_TRUE(std::filesystem::is_empty(dir_.Path()));
}

// Asked for, the common controls come in version 6 (this program carries the
// same manifest resource as tarvex.exe): a button made afterwards on the thread
// is the library's themed one, which knows BCM_GETIDEALSIZE; user32's does not.
TEST(Win32CommonControls, AfterUseControlsAreVersion6) {
  const CommonControls& library = UseCommonControls();
  EXPECT_EQ(&UseCommonControls(), &library);
  ASSERT_NE(library.imageListCreate, nullptr);
  ASSERT_NE(library.imageListReplaceIcon, nullptr);
  HWND button = CreateWindowExW(0, L"BUTTON", L"x", BS_AUTOCHECKBOX, 0, 0, 80, 20, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(button, nullptr);
  SIZE ideal{};
  EXPECT_TRUE(SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
  EXPECT_GT(ideal.cx, 0);
  DestroyWindow(button);
  HIMAGELIST images = library.imageListCreate(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(library.imageListReplaceIcon(images, -1, LoadIconW(nullptr, IDI_APPLICATION)), 0);
}

}  // namespace
}  // namespace tarvex
