// Creates the main window's children page by page (positions: main_window_layout.h):
// the about page, in front at start, at once; the other three after the first
// paint (CreateDeferred).
// Settings controls, lists and buttons are ordinary Windows controls, so the
// keyboard, tab order and screen readers work as users expect.
#include "main_window.h"

#include "host_command_buttons.h"
#include "host_monitor.h"
#include "monitor_window.h"
#include "main_window_ids.h"
#include "app/main_window_layout.h"
#include "platform/win32/common_controls_win32.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "tarvex_version.h"

namespace tarvex {

HWND MainWindow::AddChild(int page, const wchar_t* cls, const std::wstring& text, DWORD style,
                          const Rect& r, int id, HFONT font, DWORD exStyle) {
  HWND child = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | style, 0, 0, r.Width(), r.Height(),
                               hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (!child) return nullptr;
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  tabs_->AddToPage(page, child, r);
  return child;
}

HWND MainWindow::AddLabel(int page, const std::wstring& text, const Rect& r, HFONT font, int id,
                          DWORD extra) {
  // SS_NOTIFY: a label takes the mouse itself. A plain static is transparent to
  // it, so the tab control beneath would reset the links and drag the window.
  return AddChild(page, L"STATIC", text, SS_LEFT | SS_NOPREFIX | SS_NOTIFY | extra, r, id, font);
}

void MainWindow::CreateControls() {
  using namespace layout;
  const HFONT label = fonts_.label.Get();

  // The settings page comes later; its check boxes' states until then.
  // The design states: auto-start and auto-minimise clear, the others checked.
  for (SettingCheck c : {SettingCheck::kAutoRun, SettingCheck::kAutoMin, SettingCheck::kState,
                         SettingCheck::kMostTop, SettingCheck::kEnableRecord}) {
    SetCheck(c, InitialCheckState(c));
  }

  // Page 3: about, in front at start.
  HWND icon = AddLabel(3, L"", kAboutIcon, label, 0, SS_ICON | SS_REALSIZECONTROL);
  SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(aboutIcon_.Get()), 0);
  AddLabel(3, L"Tarvex", kProductName, fonts_.productName.Get());
  AddLabel(3, L"Version:" TARVEX_VERSION_STRING, kVersion, label);
  AddLabel(3, L"全面提升系统性能15%以上，让系统跑的更快。", kAboutText1, label);
  AddLabel(3, L"采用软加速技术，不伤硬件、不耗系统资源，请放心使用。", kAboutText2, label);
  home_.hwnd = AddLabel(3, L"https://www.tarvex.cn/", kLabelHomePage, label, ids::kLabelHomePage);
  help_.hwnd = AddLabel(3, L"需要帮助？", kLabelNeedHelp, label, ids::kLabelNeedHelp);
  for (Link* link : {&home_, &help_}) linkHooks_.Install(reinterpret_cast<intptr_t>(link->hwnd), *link);

  CreateButtons();
}

void MainWindow::CreateDeferred() {
  if (deferredMade_) return;
  deferredMade_ = true;
  UseCommonControls();  // version 6 for every control made from here on
  CreateStatusPage();
  CreateTooltip();
  CreateSettingsPage();
  CreateHistoryPage();  // last: the test driver waits for its buttons
  // New children go under their siblings: the strip goes back beneath them.
  SetWindowPos(tabs_->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::CreateStatusPage() {
  using namespace layout;
  const HFONT label = fonts_.label.Get(), heading = fonts_.heading.Get();
  AddLabel(0, L"加速状态", kHeadingState, heading);
  AddLabel(0, L"正在加速的程序：", kCaptionInfo, label);
  labelInfo_ = AddLabel(0, infoText_, kLabelInfo, label, ids::kLabelInfo, SS_ENDELLIPSIS);
  AddLabel(0, L"已加速程序个数：", kCaptionCount, label);
  labelCount_ = AddLabel(0, countText_, kLabelCount, label, ids::kLabelCount);
  AddLabel(0, L"实时状态", kHeadingLive, heading);
  if ((monitor_ = CreateStateMonitor(instance_, hwnd_, ids::kSystemMonitor, hosted_)) != nullptr) {
    tabs_->AddToPage(0, monitor_->Handle(), kMonitor);
    StartTimers();
  }
  static const wchar_t* const kLegendText[5] = {L"CPU", L"内存", L"页面文件", L"虚拟内存", L"磁盘空间"};
  for (int i = 0; i < 5; ++i) {
    const Rect square = At(kLegendLeft[i], kLegendTop + 3, kLegendSquare, kLegendSquare);
    legend_[static_cast<size_t>(i)] = AddLabel(0, L"", square, label, ids::kLegendFirst + i);
    AddLabel(0, kLegendText[i], At(kLegendLeft[i] + 14, kLegendTop, 70, 16), label);
  }
}

void MainWindow::CreateSettingsPage() {
  using namespace layout;
  const HFONT label = fonts_.label.Get(), heading = fonts_.heading.Get();
  const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP;
  const DWORD combo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
  AddLabel(1, L"一般设置", kHeadingGeneral, heading);
  checks_[0] = AddChild(1, L"BUTTON", L"开机启动(系统启动后自动运行Tarvex)", check | WS_GROUP, kCheckAutoRun,
                        ids::kCheckAutoRun, label);
  checks_[1] = AddChild(1, L"BUTTON", L"启动后缩为托盘图标", check, kCheckAutoMin, ids::kCheckAutoMin, label);
  checks_[3] = AddChild(1, L"BUTTON", L"窗体总在最前", check, kCheckMostTop, ids::kCheckMostTop, label);
  AddLabel(1, L"加速设置", kHeadingSpeed, heading);
  checks_[2] = AddChild(1, L"BUTTON", L"启用加速", check, kCheckState, ids::kCheckState, label);
  AddLabel(1, L"加速度：", kCaptionSpeed, label);
  combos_[0] = AddChild(1, WC_COMBOBOXW, L"", combo, kComboSpeed, ids::kComboSpeed, label);
  AddLabel(1, L"加速记录设置", kHeadingRecord, heading);
  checks_[4] = AddChild(1, L"BUTTON", L"启用加速记录", check, kCheckEnableRecord, ids::kCheckEnableRecord,
                        label);
  AddLabel(1, L"最大记录数：", kCaptionCleanCount, label);
  combos_[1] = AddChild(1, WC_COMBOBOXW, L"", combo, kComboAutoCleanCount, ids::kComboAutoCleanCount, label);
  // What the start-up put in them while they did not exist.
  for (size_t i = 0; i < checks_.size(); ++i) SendMessageW(checks_[i], BM_SETCHECK, ToButtonState(checkStates_[i]), 0);
  for (size_t i = 0; i < combos_.size(); ++i) {
    const ComboState& state = comboStates_[i];
    for (const auto& item : state.items) SendMessageW(combos_[i], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (state.selected >= 0) SendMessageW(combos_[i], CB_SETCURSEL, static_cast<WPARAM>(state.selected), 0);
  }
}

void MainWindow::CreateHistoryPage() {
  using namespace layout;
  CreateHistoryList();
  commandSave_ = CreateCommandButton(instance_, hwnd_, MainWindowButton::CommandSaveRecords, ids::kCommandSaveRecords, hosted_);
  if (commandSave_) tabs_->AddToPage(2, commandSave_, kCommandSaveRecords);
  commandClear_ = CreateCommandButton(instance_, hwnd_, MainWindowButton::CommandClearRecords, ids::kCommandClearRecords, hosted_);
  if (commandClear_) tabs_->AddToPage(2, commandClear_, kCommandClearRecords);
}

void MainWindow::CreateHistoryList() {
  using namespace layout;
  history_ = AddChild(2, WC_LISTVIEWW, L"",
                      LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER,
                      kListViewHistory, ids::kListViewHistory, fonts_.label.Get());
  if (!history_) return;
  ListView_SetExtendedListViewStyle(history_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  static const wchar_t* const kHeaders[4] = {L"NO.", L"时间", L"加速记录", L"加速度"};
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.cx = kHistoryColumnWidths[i];
    col.pszText = const_cast<wchar_t*>(kHeaders[i]);
    col.iSubItem = i;
    ListView_InsertColumn(history_, i, &col);
  }
  // ImageListListViewHistory: one 16 x 16 picture, the record mark. The list
  // destroys it with itself (no LVS_SHAREIMAGELISTS).
  const CommonControls& library = UseCommonControls();
  if (library.imageListCreate && library.imageListReplaceIcon) {
    if (HIMAGELIST images = library.imageListCreate(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0)) {
      const UniqueIcon record(
          static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_RECORD), IMAGE_ICON, 16, 16, 0)));
      library.imageListReplaceIcon(images, -1, record.Get());
      ListView_SetImageList(history_, images, LVSIL_SMALL);
    }
  }
  std::vector<PendingRow> rows;
  rows.swap(pendingRows_);  // from here on the list holds them
  for (const PendingRow& row : rows) {
    const int32_t index = AddItem(row.text[0]);
    for (int32_t sub = 1; sub < 4; ++sub) {
      if (!row.text[static_cast<size_t>(sub)].empty()) SetSubItem(index, sub, row.text[static_cast<size_t>(sub)]);
    }
    if (row.image >= 0) SetSmallIcon(index, row.image);
  }
}

void MainWindow::CreateButtons() {
  using namespace layout;
  // The hide and exit buttons sit on the window itself, below the tab control.
  commandMini_ = CreateCommandButton(instance_, hwnd_, MainWindowButton::CommandMini, ids::kCommandMini, hosted_);
  commandExit_ = CreateCommandButton(instance_, hwnd_, MainWindowButton::CommandExit, ids::kCommandExit, hosted_);
  if (commandMini_) MoveWindow(commandMini_, kCommandMini.left, kCommandMini.top, kCommandMini.Width(), kCommandMini.Height(), FALSE);
  if (commandExit_) MoveWindow(commandExit_, kCommandExit.left, kCommandExit.top, kCommandExit.Width(), kCommandExit.Height(), FALSE);
  for (HWND b : {commandMini_, commandExit_}) {
    if (b) ShowWindow(b, SW_SHOW);
  }
}

void MainWindow::CreateTooltip() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                             instance_, nullptr);
  if (!tooltip_ || !labelInfo_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(labelInfo_);
  tool.lpszText = tipText_.data();  // whatever the start-up tick set
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // Long window titles wrap instead of running off the screen.
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 480);
}

}  // namespace tarvex
