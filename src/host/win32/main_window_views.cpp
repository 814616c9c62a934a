// The views the presenter and the speed-up core use, over the native controls
// (see main_window.h). Texts cross as UTF-8 and reach the controls as UTF-16.
#include "main_window.h"

#include <vector>

#include "platform/win32/common_controls_win32.h"
#include "platform/win32/wide_text.h"

namespace tarvex {

// --- FormMainView ---

void MainWindow::CopyTabImagesFromImageList() { tabs_->CopyTabImagesFromImageList(); }
void MainWindow::SetTabCaption(int tab, std::string_view caption) { tabs_->SetTabCaption(tab, caption); }
void MainWindow::SetActiveTab(int tab) { tabs_->SetActiveTab(tab); }
void MainWindow::SetActiveTabHeight(int pixels) { tabs_->SetActiveTabHeight(pixels); }

void MainWindow::FillComboSpeed(const std::vector<std::string>& entries) { FillCombo(0, entries); }

void MainWindow::FillComboAutoCleanCount(const std::vector<std::string>& entries) { FillCombo(1, entries); }

void MainWindow::FillCombo(size_t which, const std::vector<std::string>& entries) {
  for (const auto& e : entries) {
    std::wstring item = Utf8ToWide(e);
    if (combos_[which]) SendMessageW(combos_[which], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    comboStates_[which].items.push_back(std::move(item));
  }
}

void MainWindow::SetLinkLook(LinkLabel which, bool underline, OleColor color) {
  Link& link = LinkOf(which);
  const COLORREF rgb = static_cast<COLORREF>(color & 0xFFFFFF);  // both link colours are plain RGB
  if (link.underline == underline && link.color == rgb) return;  // no flicker on every mouse move
  link.underline = underline;
  link.color = rgb;
  if (!link.hwnd) return;
  SendMessageW(link.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>((underline ? fonts_.labelUnderline : fonts_.label).Get()), TRUE);
  InvalidateRect(link.hwnd, nullptr, TRUE);
}

void MainWindow::CloseWindow() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

void MainWindow::ShowWarning(std::string_view text, std::string_view title) {
  StyledMessageBox(hwnd_, Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

PromptAnswer MainWindow::AskYesNo(std::string_view text, std::string_view title) {
  switch (StyledMessageBox(hwnd_, Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(), MB_YESNO | MB_ICONQUESTION)) {
    case IDYES: return PromptAnswer::Yes;
    case IDNO: return PromptAnswer::No;
    default: return PromptAnswer::Other;
  }
}

// --- SettingsControls ---

size_t MainWindow::CheckIndex(SettingCheck check) {
  switch (check) {
    case SettingCheck::kAutoRun: return 0;
    case SettingCheck::kAutoMin: return 1;
    case SettingCheck::kState: return 2;
    case SettingCheck::kMostTop: return 3;
    case SettingCheck::kEnableRecord: return 4;
  }
  return 0;
}

WPARAM MainWindow::ToButtonState(CheckState state) {
  return state == CheckState::kChecked ? BST_CHECKED : state == CheckState::kGrayed ? BST_INDETERMINATE : BST_UNCHECKED;
}

size_t MainWindow::ComboIndex(SettingCombo combo) { return combo == SettingCombo::kSpeed ? 0 : 1; }

CheckState MainWindow::GetCheck(SettingCheck check) const {
  const size_t i = CheckIndex(check);
  if (!checks_[i]) return checkStates_[i];
  switch (SendMessageW(checks_[i], BM_GETCHECK, 0, 0)) {
    case BST_CHECKED: return CheckState::kChecked;
    case BST_INDETERMINATE: return CheckState::kGrayed;
    default: return CheckState::kUnchecked;
  }
}

void MainWindow::SetCheck(SettingCheck check, CheckState state) {
  const size_t i = CheckIndex(check);
  if (!checks_[i]) {
    checkStates_[i] = state;
    return;
  }
  SendMessageW(checks_[i], BM_SETCHECK, ToButtonState(state), 0);  // sends no BN_CLICKED
}

std::string MainWindow::ComboText(SettingCombo combo) const {
  const size_t which = ComboIndex(combo);
  HWND box = combos_[which];
  if (!box) {  // not made yet: what it will show
    const ComboState& state = comboStates_[which];
    if (state.selected < 0 || static_cast<size_t>(state.selected) >= state.items.size()) return {};
    return WideToUtf8(state.items[static_cast<size_t>(state.selected)]);
  }
  const LRESULT sel = SendMessageW(box, CB_GETCURSEL, 0, 0);
  if (sel == CB_ERR) return {};
  const LRESULT n = SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0);
  if (n == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(n));
  return WideToUtf8(text);
}

bool MainWindow::SelectComboText(SettingCombo combo, std::string_view text) {
  const size_t which = ComboIndex(combo);
  HWND box = combos_[which];
  if (!box) {  // not made yet: CB_FINDSTRINGEXACT's rule, case-blind and whole
    ComboState& state = comboStates_[which];
    const std::wstring wanted = Utf8ToWide(text);
    for (size_t i = 0; i < state.items.size(); ++i) {
      if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, state.items[i].c_str(), -1, wanted.c_str(), -1) ==
          CSTR_EQUAL) {
        state.selected = static_cast<int>(i);
        return true;
      }
    }
    return false;
  }
  const LRESULT i = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()));
  if (i == CB_ERR) return false;
  SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(i), 0);  // sends no CBN_SELCHANGE
  return true;
}

// --- MainWindowOps ---

void MainWindow::SetTopmost(bool on) {
  // One rule for the check box and for start-up: the window platform's.
  if (windows_) (void)windows_->SetTopmost(reinterpret_cast<intptr_t>(hwnd_), on);
}

// --- StatusView ---

void MainWindow::SetInfoCaption(std::string_view text) {
  infoText_ = Utf8ToWide(text);
  if (labelInfo_) SetWindowTextW(labelInfo_, infoText_.c_str());
}

void MainWindow::SetInfoToolTip(std::string_view text) {
  tipText_ = Utf8ToWide(text);  // CreateTooltip takes it if the tip is not made yet
  if (!tooltip_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(labelInfo_);
  tool.lpszText = tipText_.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::SetCountCaption(std::string_view text) {
  countText_ = Utf8ToWide(text);
  if (labelCount_) SetWindowTextW(labelCount_, countText_.c_str());
}

// --- HistoryView ---

int32_t MainWindow::ItemCount() const {
  if (!history_) return static_cast<int32_t>(pendingRows_.size());
  return static_cast<int32_t>(ListView_GetItemCount(history_));
}

void MainWindow::ClearItems() {
  pendingRows_.clear();
  if (history_) ListView_DeleteAllItems(history_);
}

int32_t MainWindow::AddItem(std::string_view text) {
  if (!history_) {
    pendingRows_.push_back({{std::string(text)}, -1});
    return static_cast<int32_t>(pendingRows_.size() - 1);
  }
  std::wstring wide = Utf8ToWide(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = ItemCount();
  item.pszText = wide.data();
  return static_cast<int32_t>(SendMessageW(history_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

MainWindow::PendingRow* MainWindow::PendingAt(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= pendingRows_.size()) return nullptr;
  return &pendingRows_[static_cast<size_t>(index)];
}

void MainWindow::SetSubItem(int32_t index, int32_t subItem, std::string_view text) {
  if (!history_) {
    if (PendingRow* row = PendingAt(index); row && subItem >= 0 && subItem < 4) row->text[static_cast<size_t>(subItem)] = text;
    return;
  }
  std::wstring wide = Utf8ToWide(text);
  LVITEMW item{};
  item.iSubItem = subItem;
  item.pszText = wide.data();
  SendMessageW(history_, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void MainWindow::SetSmallIcon(int32_t index, int32_t image) {
  if (!history_) {
    if (PendingRow* row = PendingAt(index)) row->image = image;
    return;
  }
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  item.iImage = image;
  SendMessageW(history_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::string MainWindow::ItemText(int32_t index, int32_t subItem) const {
  if (!history_) {
    if (index < 0 || static_cast<size_t>(index) >= pendingRows_.size() || subItem < 0 || subItem >= 4) return {};
    return pendingRows_[static_cast<size_t>(index)].text[static_cast<size_t>(subItem)];
  }
  std::vector<wchar_t> buffer(1024);
  LVITEMW item{};
  item.iSubItem = subItem;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  const LRESULT n = SendMessageW(history_, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return WideToUtf8(std::wstring_view(buffer.data(), static_cast<size_t>(n)));
}

}  // namespace tarvex
