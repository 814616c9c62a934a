// The Win32 view of FormMain: the borderless main window with its top strip,
// the tab control SSTabMain and the native controls of the four pages, the
// gradient buttons, the tooltip, and the views the presenter and the speed-up
// core talk to. Decisions live in FormMain and the core; this class only
// creates windows, unpacks messages and forwards them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "app/history_view.h"
#include "app/settings_controls.h"
#include "app/settings_handler.h"
#include "app/status_view.h"
#include "host_command_buttons.h"
#include "host_page_tabs.h"
#include "main_window_fonts.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_subclass_win32.h"
#include "tarvex_version.h"

namespace tarvex {

class MonitorWindow;

class MainWindow final : public FormMainView,
                         public SettingsControls,
                         public MainWindowOps,
                         public StatusView,
                         public HistoryView {
 public:
  static constexpr wchar_t kClassName[] = L"TarvexMainWindow";
  static constexpr wchar_t kCaption[] = L"Tarvex v" TARVEX_VERSION_STRING;

  explicit MainWindow(HINSTANCE instance);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  static bool RegisterClass(HINSTANCE instance);
  // Creates the window and its controls (hidden); false on failure. The
  // status, settings and history pages and the tooltip, which no one sees at
  // start, follow on kCreateDeferredMessage: under Wine they cost 60-70 ms
  // (each drop-down list is a window of the X server) the user would wait for.
  bool Create();
  // The program posts it once the window is shown and painted (or left in
  // the tray); until then the views keep what the start-up put in them.
  static constexpr UINT kCreateDeferredMessage = WM_APP + 1;
  HWND Handle() const { return hwnd_; }

  // Wiring done by the program before Load.
  void Attach(FormMain* form, SettingsHandler* settings, WindowPlatform* windows) {
    form_ = form;
    settings_ = settings;
    windows_ = windows;
  }
  // Starts TimerMain; the presenter's tick runs from then on.
  void StartTimerMain() {
    timerMainOn_ = true;
    StartTimers();
  }
  // Keyboard navigation of the message loop (Tab, Shift+Tab, arrows, Alt+key);
  // true when the message was used.
  bool PreTranslate(MSG& msg);

  // --- FormMainView ---
  void CopyTabImagesFromImageList() override;
  void SetTabCaption(int tab, std::string_view caption) override;
  void SetActiveTab(int tab) override;
  void SetActiveTabHeight(int pixels) override;
  void FillComboSpeed(const std::vector<std::string>& entries) override;
  void FillComboAutoCleanCount(const std::vector<std::string>& entries) override;
  void SetLinkLook(LinkLabel link, bool underline, OleColor color) override;
  void CloseWindow() override;
  void ShowWarning(std::string_view text, std::string_view title) override;
  PromptAnswer AskYesNo(std::string_view text, std::string_view title) override;

  // --- SettingsControls ---
  CheckState GetCheck(SettingCheck check) const override;
  void SetCheck(SettingCheck check, CheckState state) override;
  std::string ComboText(SettingCombo combo) const override;
  bool SelectComboText(SettingCombo combo, std::string_view text) override;

  // --- MainWindowOps ---
  void SetTopmost(bool on) override;

  // --- StatusView ---
  void SetInfoCaption(std::string_view text) override;
  void SetInfoToolTip(std::string_view text) override;
  void SetCountCaption(std::string_view text) override;

  // --- HistoryView ---
  int32_t ItemCount() const override;
  void ClearItems() override;
  int32_t AddItem(std::string_view text) override;
  void SetSubItem(int32_t item, int32_t subItem, std::string_view text) override;
  void SetSmallIcon(int32_t item, int32_t image) override;
  std::string ItemText(int32_t item, int32_t subItem) const override;

 private:
  // A link label; its hook gives it the hand cursor and reports the pointer.
  struct Link final : MessageRouter {
    Link(MainWindow& owner, LinkLabel which) : owner(owner), which(which) {}
    int64_t RouteMessage(HookHandle hook, int64_t hWnd, uint32_t msg, uint64_t wParam, int64_t lParam) override;
    MainWindow& owner;
    LinkLabel which;
    HWND hwnd = nullptr;
    bool underline = false;
    COLORREF color = RGB(0, 0, 255);
  };

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  static UINT LiveGdiQuery();  // see live_gdi_query.h

  // main_window_controls.cpp
  void CreateControls();
  HWND AddChild(int page, const wchar_t* cls, const std::wstring& text, DWORD style,
                const Rect& rectOnPage, int id, HFONT font, DWORD exStyle = 0);
  HWND AddLabel(int page, const std::wstring& text, const Rect& r, HFONT font, int id = 0,
                DWORD extra = 0);
  void CreateDeferred();
  void CreateStatusPage();
  // (Re)starts the running timers together: see main_window.cpp.
  void StartTimers();
  void CreateSettingsPage();
  void CreateHistoryPage();
  void CreateHistoryList();
  void CreateTooltip();
  void CreateButtons();

  // main_window_paint.cpp
  void Paint(HDC dc);
  HBRUSH ControlColor(HDC dc, HWND control);

  void OnCommand(int id, int code, HWND control);
  static size_t CheckIndex(SettingCheck check);
  static WPARAM ToButtonState(CheckState state);
  static size_t ComboIndex(SettingCombo combo);
  void FillCombo(size_t which, const std::vector<std::string>& entries);
  Link& LinkOf(LinkLabel link) { return link == LinkLabel::HomePage ? home_ : help_; }

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  FormMain* form_ = nullptr;
  SettingsHandler* settings_ = nullptr;
  WindowPlatform* windows_ = nullptr;
  MainWindowFonts fonts_;
  std::unique_ptr<PageTabs> tabs_;
  HostedControls hosted_;  // the owner-drawn controls' objects; outlive their windows
  MonitorWindow* monitor_ = nullptr;  // in hosted_, from CreateDeferred on
  bool timerMainOn_ = false;

  // The status, settings and history controls do not exist until
  // CreateDeferred; until then their views read and write these.
  struct ComboState {
    std::vector<std::wstring> items;
    int selected = -1;
  };
  struct PendingRow {
    std::array<std::string, 4> text;  // UTF-8, as the view is given it
    int32_t image = -1;
  };
  bool deferredMade_ = false;
  std::array<HWND, 5> checks_{};  // by CheckIndex
  std::array<CheckState, 5> checkStates_{};
  std::array<HWND, 2> combos_{};  // by ComboIndex
  std::array<ComboState, 2> comboStates_{};
  std::vector<PendingRow> pendingRows_;
  PendingRow* PendingAt(int32_t index);
  HWND labelInfo_ = nullptr;
  HWND labelCount_ = nullptr;
  std::wstring infoText_;         // the two status captions, kept for the
  std::wstring countText_ = L"0";  // labels made after the first paint
  HWND history_ = nullptr;
  HWND tooltip_ = nullptr;
  std::wstring tipText_;
  std::array<HWND, 5> legend_{};
  Link home_{*this, LinkLabel::HomePage}, help_{*this, LinkLabel::NeedHelp};
  Win32WindowSubclasser linkHooks_;  // after the links: their hooks go first
  HWND commandMini_ = nullptr, commandExit_ = nullptr;
  HWND commandSave_ = nullptr, commandClear_ = nullptr;

  UniqueBitmap strip_;               // the top strip picture
  UniqueIcon aboutIcon_;             // 48 x 48
  UniqueBrush pageBrush_;            // the pages' back colour
  UniqueBrush formBrush_;            // the window's back colour
  std::array<UniqueBrush, 5> legendBrushes_;
  bool closing_ = false;
};

}  // namespace tarvex
