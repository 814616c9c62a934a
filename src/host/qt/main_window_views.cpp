// The views the presenter and the speed-up core use, over the Qt widgets (see
// main_window.h). Texts cross as UTF-8.
#include <QFontMetrics>
#include <QIcon>
#include <QSignalBlocker>

#include "common/control_error.h"
#include "main_window.h"
#include "resource_pictures.h"

namespace tarvex {
namespace {
QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
}  // namespace

// --- FormMainView ---

void MainWindow::CopyTabImagesFromImageList() {
  // ImageListTabMain: the four page pictures, numbered from 1.
  struct ResourceImageList {
    std::optional<PicturePtr> Picture(int index) const {
      if (index < 1 || index > 4) return std::nullopt;
      const auto image = ResourceBitmapPixels(QStringLiteral(":/tab%1.bmp").arg(index - 1));
      if (!image) return std::nullopt;
      auto picture = std::make_shared<tarvex::Picture>();
      picture->type = PictureType::Bitmap;
      picture->width = image->width;
      picture->height = image->height;
      picture->pixels.reserve(image->argb.size());
      for (const uint32_t p : image->argb) picture->pixels.push_back(MakeRgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
      return picture;
    }
  };
  tabs_->Strip().CopyTabImagesFromImageList(ResourceImageList{});
}

// The main window's load step skips what fails.
template <class F>
static void Quietly(F&& f) {
  try {
    f();
  } catch (const ControlError&) {
  }
}

void MainWindow::SetTabCaption(int tab, std::string_view caption) {
  Quietly([&] { tabs_->Strip().SetTabCaption(tab, caption); });
}
void MainWindow::SetActiveTab(int tab) { Quietly([&] { tabs_->Strip().SetActiveTab(tab); }); }
void MainWindow::SetActiveTabHeight(int pixels) { Quietly([&] { tabs_->Strip().SetActiveTabHeight(pixels); }); }

void MainWindow::FillCombo(SettingCombo which, const std::vector<std::string>& entries) {
  QStringList items;
  for (const auto& e : entries) items.push_back(Q(e));
  QComboBox* combo = Combo(which);
  if (!combo) {
    comboEntries_[static_cast<size_t>(which)] += items;
    comboIndex_[static_cast<size_t>(which)] = -1;
    return;
  }
  const QSignalBlocker quiet(combo);
  combo->addItems(items);
  combo->setCurrentIndex(-1);  // pick-only lists start without a selection
}

void MainWindow::FillComboSpeed(const std::vector<std::string>& entries) { FillCombo(SettingCombo::kSpeed, entries); }
void MainWindow::FillComboAutoCleanCount(const std::vector<std::string>& entries) {
  FillCombo(SettingCombo::kAutoCleanCount, entries);
}

void MainWindow::ShowLink(const Link& link) {
  QFont f = link.label->font();
  f.setUnderline(link.underline);
  link.label->setFont(f);
  QPalette pal = link.label->palette();
  // OLE colours are 0x00BBGGRR.
  pal.setColor(QPalette::WindowText, QColor(int(link.color & 0xFF), int((link.color >> 8) & 0xFF), int((link.color >> 16) & 0xFF)));
  link.label->setPalette(pal);
}

void MainWindow::SetLinkLook(LinkLabel which, bool underline, OleColor color) {
  Link& link = LinkOf(which);
  const OleColor rgb = color & 0xFFFFFF;  // both link colours are plain RGB
  if (link.underline == underline && link.color == rgb) return;  // no flicker on every mouse move
  link.underline = underline;
  link.color = rgb;
  if (link.label) ShowLink(link);
}

void MainWindow::ShowWarning(std::string_view text, std::string_view title) {
  dialogs_.ShowMessageBox(text, title, MessageBoxIcon::kExclamation, MessageBoxButtons::kOk);
}

PromptAnswer MainWindow::AskYesNo(std::string_view text, std::string_view title) {
  return dialogs_.ShowMessageBox(text, title, MessageBoxIcon::kQuestion, MessageBoxButtons::kYesNo) ==
                 MessageBoxResult::kYes
             ? PromptAnswer::Yes
             : PromptAnswer::No;
}

// --- SettingsControls ---

QCheckBox* MainWindow::CheckBox(SettingCheck check) const { return checks_[static_cast<size_t>(check)]; }
QComboBox* MainWindow::Combo(SettingCombo combo) const { return combos_[static_cast<size_t>(combo)]; }

// Before the page is made, the same calls work on the states it will show.

CheckState MainWindow::GetCheck(SettingCheck check) const {
  const QCheckBox* box = CheckBox(check);
  if (!box) return checkStates_[static_cast<size_t>(check)];
  switch (box->checkState()) {
    case Qt::Checked: return CheckState::kChecked;
    case Qt::PartiallyChecked: return CheckState::kGrayed;
    default: return CheckState::kUnchecked;
  }
}

void MainWindow::SetCheck(SettingCheck check, CheckState state) {
  QCheckBox* box = CheckBox(check);
  if (!box) {
    checkStates_[static_cast<size_t>(check)] = state;
    return;
  }
  const QSignalBlocker quiet(box);  // a set is not a click
  box->setCheckState(state == CheckState::kChecked  ? Qt::Checked
                     : state == CheckState::kGrayed ? Qt::PartiallyChecked
                                                    : Qt::Unchecked);
}

std::string MainWindow::ComboText(SettingCombo combo) const {
  if (const QComboBox* box = Combo(combo)) {
    return box->currentIndex() < 0 ? std::string() : box->currentText().toStdString();
  }
  const int i = comboIndex_[static_cast<size_t>(combo)];
  return i < 0 ? std::string() : comboEntries_[static_cast<size_t>(combo)][i].toStdString();
}

bool MainWindow::SelectComboText(SettingCombo combo, std::string_view text) {
  QComboBox* box = Combo(combo);
  const int i = box ? box->findText(Q(text), Qt::MatchFixedString | Qt::MatchCaseSensitive)
                    : static_cast<int>(comboEntries_[static_cast<size_t>(combo)].indexOf(Q(text)));
  if (i < 0) return false;
  if (!box) {
    comboIndex_[static_cast<size_t>(combo)] = i;
    return true;
  }
  const QSignalBlocker quiet(box);  // a selection by the program is not a change by the user
  box->setCurrentIndex(i);
  return true;
}

// --- MainWindowOps ---

void MainWindow::SetTopmost(bool on) {
  // One rule for the check box and for start-up: the window platform's.
  if (windows_) (void)windows_->SetTopmost(Handle(), on);
}

// --- StatusView ---

void MainWindow::SetInfoCaption(std::string_view text) {
  infoText_ = Q(text);
  if (!labelInfo_) return;
  // Cut with an ellipsis at the label's end, as the Windows label does.
  labelInfo_->setText(QFontMetrics(labelInfo_->font()).elidedText(infoText_, Qt::ElideRight, labelInfo_->width()));
}

void MainWindow::SetInfoToolTip(std::string_view text) {
  // Rich text wraps long window titles instead of running off the screen.
  infoTip_ = text.empty() ? QString() : QStringLiteral("<p>") + Q(text).toHtmlEscaped() + QStringLiteral("</p>");
  if (labelInfo_) labelInfo_->setToolTip(infoTip_);
}

void MainWindow::SetCountCaption(std::string_view text) {
  countText_ = Q(text);
  if (labelCount_) labelCount_->setText(countText_);
}

// --- HistoryView ---
// Before the list is made, the same calls work on the rows it will show.

int32_t MainWindow::ItemCount() const {
  return history_ ? history_->rowCount() : static_cast<int32_t>(historyRows_.size());
}

void MainWindow::ClearItems() {
  if (history_) history_->setRowCount(0);
  historyRows_.clear();
}

int32_t MainWindow::AddItem(std::string_view text) {
  if (!history_) {
    historyRows_.emplace_back().cells[0] = Q(text);
    return static_cast<int32_t>(historyRows_.size()) - 1;
  }
  const int row = history_->rowCount();
  history_->insertRow(row);
  history_->setItem(row, 0, new QTableWidgetItem(Q(text)));
  return row;
}

void MainWindow::SetSubItem(int32_t item, int32_t subItem, std::string_view text) {
  if (item < 0 || item >= ItemCount() || subItem < 0 || subItem > 3) return;
  if (!history_) {
    historyRows_[static_cast<size_t>(item)].cells[static_cast<size_t>(subItem)] = Q(text);
    return;
  }
  history_->setItem(item, subItem, new QTableWidgetItem(Q(text)));
}

void MainWindow::SetSmallIcon(int32_t item, int32_t image) {
  // ImageListListViewHistory has one picture, the record mark.
  if (item < 0 || item >= ItemCount() || image != 0) return;
  if (!history_) {
    historyRows_[static_cast<size_t>(item)].icon = true;
    return;
  }
  static const QIcon record = ResourceIcon(QStringLiteral(":/record.ico"));
  if (QTableWidgetItem* cell = history_->item(item, 0)) cell->setIcon(record);
}

std::string MainWindow::ItemText(int32_t item, int32_t subItem) const {
  if (item < 0 || item >= ItemCount() || subItem < 0 || subItem > 3) return {};
  if (!history_) return historyRows_[static_cast<size_t>(item)].cells[static_cast<size_t>(subItem)].toStdString();
  const QTableWidgetItem* cell = history_->item(item, subItem);
  return cell ? cell->text().toStdString() : std::string();
}

}  // namespace tarvex
