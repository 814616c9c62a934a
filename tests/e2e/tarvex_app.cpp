// TarvexApp: the end-to-end driver's handle on one running program.
#include "tarvex_app.h"

#include <commctrl.h>
#include <shellapi.h>

#include <fstream>

#include "host/win32/live_gdi_query.h"

namespace tarvex::e2e {

TarvexApp::TarvexApp(const std::string& ini) {
  std::filesystem::copy_file(BuildDir() / L"tarvex.exe", Exe());
  if (!ini.empty()) {
    std::ofstream out(Ini(), std::ios::binary);
    out << ini;
  }
}

TarvexApp::~TarvexApp() {
  if (app_ && app_->Running()) {
    // Leave no icon behind: a hard kill would strand it in the tray.
    if (main_ && IsWindow(main_)) {
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(main_, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
      PostMessageW(main_, WM_CLOSE, 0, 0);
      app_->WaitExit(5s);
    }
    app_->Kill();
  }
}

bool TarvexApp::Start(bool expectHidden) {
  app_ = Process::Start(Exe(), L"", Folder());
  if (!app_) return false;
  if (expectHidden) {
    // A hidden main window: wait until the program has one of that title.
    WaitUntil([&] {
      for (HWND w : TopLevelWindows(app_->Id(), false))
        if (WindowText(w) == kMainTitle) { main_ = w; return true; }
      return false;
    }, 20s);
  } else {
    main_ = WaitForWindow(app_->Id(), L"", kMainTitle, 20s);
    if (main_ && !WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }, 10s)) return false;
  }
  // The window shows before all of it is made: the pages not in front follow
  // on a posted message, the history page's last button last of all.
  return main_ != nullptr && WaitUntil([&] { return Control(id::kCommandClearRecords) != nullptr; }, 10s);
}

bool TarvexApp::Checked(int controlId) const {
  return SendMessageW(Control(controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TarvexApp::ClickCheck(int controlId) { SendMessageW(Control(controlId), BM_CLICK, 0, 0); }

void TarvexApp::Select(int comboId, int index) {
  HWND combo = Control(comboId);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(main_, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

std::wstring TarvexApp::ComboText(int comboId) const {
  // GetWindowText does not ask another process's window; WM_GETTEXT does.
  wchar_t text[256] = {};
  SendMessageW(Control(comboId), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

void TarvexApp::ClickButton(int controlId) {
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), reinterpret_cast<LPARAM>(Control(controlId)));
}

std::optional<std::wstring> TarvexApp::IniValue(const std::wstring& section, const std::wstring& key) const {
  return ReadIni(Ini(), section, key);
}

std::optional<long> TarvexApp::LiveGdiObjects() const {
  const UINT query = RegisterWindowMessageW(kLiveGdiQueryMessage);
  DWORD_PTR count = 0;
  if (!query || !SendMessageTimeoutW(main_, query, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return std::nullopt;
  return static_cast<long>(count);
}

int TarvexApp::HistoryCount() const {
  return static_cast<int>(SendMessageW(Control(id::kListViewHistory), LVM_GETITEMCOUNT, 0, 0));
}

namespace {

// Sends `message` with a record that, like the text buffer it points at, must
// live in the other process; `aim` points the record at the buffer.
template <class Record, class Aim>
std::wstring TextFromProcess(DWORD pid, HWND to, UINT message, WPARAM wParam, Record record, Aim aim) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return L"<no access>";
  constexpr size_t kChars = 512;
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(Record) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
  std::wstring text;
  if (remote) {
    aim(record, reinterpret_cast<wchar_t*>(remote + sizeof(Record)), kChars);
    std::wstring buffer(kChars, L'\0');
    WriteProcessMemory(process, remote, &record, sizeof record, nullptr);
    WriteProcessMemory(process, remote + sizeof(Record), buffer.data(), kChars * sizeof(wchar_t), nullptr);
    SendMessageW(to, message, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote + sizeof(Record), buffer.data(), kChars * sizeof(wchar_t), nullptr);
    text = buffer.c_str();
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
}

}  // namespace

std::wstring TarvexApp::HistoryText(int item, int subItem) const {
  LVITEMW lv{};
  lv.iSubItem = subItem;
  return TextFromProcess(app_->Id(), Control(id::kListViewHistory), LVM_GETITEMTEXTW, static_cast<WPARAM>(item), lv,
                         [](LVITEMW& r, wchar_t* text, size_t chars) {
                           r.pszText = text;
                           r.cchTextMax = static_cast<int>(chars);
                         });
}

std::wstring TarvexApp::InfoToolTip() const {
  // The tip is a top-level window the main window owns.
  HWND tip = nullptr;
  for (HWND w : TopLevelWindows(app_->Id(), false)) {
    if (ClassName(w) == TOOLTIPS_CLASSW && GetWindow(w, GW_OWNER) == main_) tip = w;
  }
  if (!tip) return L"<no tooltip>";
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = main_;
  tool.uId = reinterpret_cast<UINT_PTR>(Control(id::kLabelInfo));
  return TextFromProcess(app_->Id(), tip, TTM_GETTEXTW, 512, tool,
                         [](TTTOOLINFOW& r, wchar_t* text, size_t) { r.lpszText = text; });
}

void TarvexApp::Tray(UINT mouseMessage) { PostMessageW(main_, kTrayMessage, 0, mouseMessage); }

bool TarvexApp::ChooseFromTrayMenu(WPARAM key, const std::function<bool()>& chosen) {
  // Under Wine the hidden window cannot keep the foreground: a moment after
  // the menu opens the desktop takes it, which closes the menu as a click
  // elsewhere would. So the keys wait in the program's queue behind the click
  // and the menu reads them as soon as it runs. From no selection, Down
  // selects the first entry and Up the last; Enter takes it.
  Tray(WM_RBUTTONDOWN);
  PostMessageW(main_, WM_KEYDOWN, key, 0);
  PostMessageW(main_, WM_KEYDOWN, VK_RETURN, 0);
  return WaitUntil(chosen, 10s);
}

bool TarvexApp::IconPresent() const {
  NOTIFYICONDATAW probe{};
  probe.cbSize = NOTIFYICONDATAW_V1_SIZE;
  probe.hWnd = main_;
  probe.uID = 0;
  probe.uFlags = 0;  // changes nothing; succeeds only for an existing icon
  return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

bool TarvexApp::ForgetIcon() const {
  NOTIFYICONDATAW gone{};
  gone.cbSize = NOTIFYICONDATAW_V1_SIZE;
  gone.hWnd = main_;
  return Shell_NotifyIconW(NIM_DELETE, &gone) != FALSE;
}

HWND TarvexApp::WaitDialog(Millis timeout) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND w : TopLevelWindows(app_->Id(), true))
      if (ClassName(w) == L"#32770") { found = w; return true; }
    return false;
  }, timeout);
  return found;
}

bool TarvexApp::CloseAnswering(int answer) {
  PostMessageW(main_, WM_CLOSE, 0, 0);
  HWND box = WaitDialog();
  if (!box) return false;
  return ClickDialogButton(box, answer);
}

std::optional<Process> StartHelperWindow(const std::wstring& title, HWND* window, bool idle) {
  auto helper = Process::Start(BuildDir() / L"e2e_window.exe", (idle ? L"--idle \"" : L"\"") + title + L"\"");
  if (!helper) return std::nullopt;
  *window = WaitForWindow(helper->Id(), L"", title, 15s);
  if (*window) BringToForeground(*window);
  return helper;
}

}  // namespace tarvex::e2e
