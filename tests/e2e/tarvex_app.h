// Drives one running tarvex.exe from outside with ordinary window messages: a
// private copy of the program in a fresh folder (its INI lies beside it), its
// main window and controls (found by their control ids), the tray callback,
// message boxes, the history list (read across processes) and the INI file.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/module_main_tray.h"
#include "host/win32/main_window_ids.h"
#include "tarvex_version.h"
#include "win/support/e2e.h"

namespace tarvex::e2e {

inline constexpr wchar_t kMainTitle[] = L"Tarvex v" TARVEX_VERSION_STRING;
inline constexpr UINT kTrayMessage = kTrayCallbackMessage;

// The main window's control ids: the program's own header, plain constants.
namespace id = tarvex::ids;

class TarvexApp {
 public:
  // A fresh folder with a copy of tarvex.exe; `ini` (UTF-8 bytes, may be empty
  // for "no file") is written beside it before the start.
  explicit TarvexApp(const std::string& ini = {});
  ~TarvexApp();

  // Starts the program and waits for its main window (visible unless
  // `expectHidden`); false when it did not come.
  bool Start(bool expectHidden = false);
  HWND Main() const { return main_; }
  Process& App() { return *app_; }
  const std::filesystem::path& Folder() const { return dir_.Path(); }
  std::filesystem::path Exe() const { return dir_.Path() / L"tarvex.exe"; }
  std::filesystem::path Ini() const { return dir_.Path() / L"tarvex.ini"; }

  HWND Control(int controlId) const { return GetDlgItem(main_, controlId); }
  bool Checked(int controlId) const;
  void ClickCheck(int controlId);                 // BM_CLICK: BN_CLICKED reaches the window
  void Select(int comboId, int index);            // CB_SETCURSEL + CBN_SELCHANGE
  std::wstring ComboText(int comboId) const;
  void ClickButton(int controlId);                // WM_COMMAND(id, BN_CLICKED), posted
  std::optional<std::wstring> IniValue(const std::wstring& section, const std::wstring& key) const;

  // GDI objects the program's owning handles hold, through its test hook
  // (see live_gdi_query.h); nullopt when the window did not answer.
  std::optional<long> LiveGdiObjects() const;

  int HistoryCount() const;
  std::wstring HistoryText(int item, int subItem) const;  // across processes
  std::wstring InfoToolTip() const;                        // the status caption's tip

  // The tray icon callback, posted as the shell would.
  void Tray(UINT mouseMessage);
  // Opens the tray menu (right button on the icon) and chooses an entry with
  // `key` (VK_DOWN: the first, "主界面"; VK_UP: the last, "退出") and Enter;
  // whether `chosen` came to hold within a bound.
  bool ChooseFromTrayMenu(WPARAM key, const std::function<bool()>& chosen);
  // Whether the shell holds the program's icon (probed with a no-op modify).
  bool IconPresent() const;
  // Deletes the icon as a restarting shell loses it.
  bool ForgetIcon() const;

  // The first visible message box or dialog of the program, waited for.
  HWND WaitDialog(Millis timeout = 10s);
  // Asks the window to close; answers the question with `answer` (IDYES/IDNO).
  bool CloseAnswering(int answer);
  // Waits for the program to end; its exit code.
  std::optional<DWORD> WaitExit(Millis timeout = 15s) { return app_->WaitExit(timeout); }

 private:
  TempDir dir_;
  std::optional<Process> app_;
  HWND main_ = nullptr;
};

// A helper window (e2e_window.exe) with the given title, in the foreground;
// `idle`: its process has put itself at the idle class before showing it.
std::optional<Process> StartHelperWindow(const std::wstring& title, HWND* window, bool idle = false);

}  // namespace tarvex::e2e
