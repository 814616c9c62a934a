// Builds the main window's widgets page by page (positions: main_window_layout.h).
// Settings, lists and links are ordinary Qt widgets, so the keyboard, tab
// order and screen readers work as users expect.
#include <QHeaderView>
#include <QIcon>
#include <QSignalBlocker>

#include "app/main_window_layout.h"
#include "tarvex_version.h"
#include "main_window.h"
#include "resource_pictures.h"
#include "monitor/main_window_monitor.h"

namespace tarvex {
namespace {

// Verdana for labels and headings, SimSun for the product name; pixel sizes as
// GDI gives 9 and 10.5 point at 96 dpi. Named by the desktop's stand-ins first,
// then the Windows face: for a name it lacks, Qt sorts every installed face
// (fontconfig) in the first paint; named so, the about page's labels drew the
// same pixels with three such sorts instead of six (1.6 ms less CPU at start).
QFont LabelFont(bool bold = false, int pixels = 12, const char* face = "Verdana") {
  const QString windowsFace = QString::fromLatin1(face);
  QFont f;
  f.setFamilies(QFont::substitutes(windowsFace) << windowsFace);
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

// Black text straight on the tab's page, which is the labels' back colour
// too. Left unfilled, the labels do not cut holes in the tab control's paint:
// it copies its picture in one block instead of through a clip of many
// rectangles (1.7 ms of the first paint).
void OnPage(QWidget* w) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, Qt::black);
  w->setPalette(pal);
}

}  // namespace

QLabel* MainWindow::AddLabel(int page, const QString& text, const Rect& r, const QFont& font) {
  auto* label = new QLabel(text, this);
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  OnPage(label);
  // A label takes the mouse itself: passed on, it would reach the window (or
  // the tab control), which would drag the window and reset the links.
  label->installEventFilter(this);
  tabs_->AddToPage(page, label, r);
  return label;
}

void MainWindow::CreateControls() {
  using namespace layout;
  const QFont label = LabelFont();
  // The status, settings and history pages come after the first paint
  // (CreateLaterPages); until then the check boxes keep their states here,
  // as the design states them: auto-start and auto-minimise clear, the others checked.
  for (SettingCheck c : {SettingCheck::kAutoRun, SettingCheck::kAutoMin, SettingCheck::kState,
                         SettingCheck::kMostTop, SettingCheck::kEnableRecord}) {
    SetCheck(c, InitialCheckState(c));
  }

  // Page 3: about.
  QLabel* icon = AddLabel(3, QString(), kAboutIcon, label);
  icon->setPixmap(ResourceIcon(QStringLiteral(":/tarvex.ico")).pixmap(48, 48));
  AddLabel(3, QStringLiteral("Tarvex"), kProductName, LabelFont(true, 14, "SimSun"));
  AddLabel(3, QStringLiteral("Version:" TARVEX_VERSION_STRING), kVersion, label);
  AddLabel(3, QStringLiteral("全面提升系统性能15%以上，让系统跑的更快。"), kAboutText1, label);
  AddLabel(3, QStringLiteral("采用软加速技术，不伤硬件、不耗系统资源，请放心使用。"), kAboutText2, label);
  CreateLinks();
  CreateButtons();
}

void MainWindow::CreateLaterPages() {
  if (history_ != nullptr) return;
  using namespace layout;
  const QFont label = LabelFont(), heading = LabelFont(true, 14);
  // Made after the window's own buttons, they go before them in the Tab order,
  // as if made first (Qt orders only widgets that take the focus).
  QWidget* previous = commandMini_->previousInFocusChain();
  while (previous != tabs_ && previous->focusPolicy() == Qt::NoFocus) previous = previous->previousInFocusChain();
  const std::function<void(QWidget*)> inOrder = [&](QWidget* w) {
    if (w->focusPolicy() == Qt::NoFocus) return;
    QWidget::setTabOrder(previous, w);
    previous = w;
  };

  // Page 0: speed-up state and the live load diagram with its legend.
  AddLabel(0, QStringLiteral("加速状态"), kHeadingState, heading);
  AddLabel(0, QStringLiteral("正在加速的程序："), kCaptionInfo, label);
  labelInfo_ = AddLabel(0, QString(), kLabelInfo, label);
  AddLabel(0, QStringLiteral("已加速程序个数："), kCaptionCount, label);
  labelCount_ = AddLabel(0, QStringLiteral("0"), kLabelCount, label);
  AddLabel(0, QStringLiteral("实时状态"), kHeadingLive, heading);
  auto* monitor = new MonitorWidget(this, hooks_, sampler_);
  monitor->SetAmbientFont(MainWindowFormFont());
  monitor->resize(kMainWindowMonitorWidthPx, kMainWindowMonitorHeightPx);
  monitor->Load(MainWindowMonitorBag());
  tabs_->AddToPage(0, monitor, kMonitor);
  inOrder(monitor);
  static const char* const kLegendText[5] = {"CPU", "内存", "页面文件", "虚拟内存", "磁盘空间"};
  static constexpr QRgb kLegend[5] = {qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 255),
                                      qRgb(255, 128, 255)};
  for (int i = 0; i < 5; ++i) {
    QLabel* square = AddLabel(0, QString(), At(kLegendLeft[i], kLegendTop + 3, kLegendSquare, kLegendSquare), label);
    QPalette pal = square->palette();
    pal.setColor(QPalette::Window, QColor(kLegend[i]));
    square->setPalette(pal);
    square->setAutoFillBackground(true);
    AddLabel(0, QString::fromUtf8(kLegendText[i]), At(kLegendLeft[i] + 14, kLegendTop, 70, 16), label);
  }

  // What the views were given before the page existed.
  SetInfoCaption(infoText_.toStdString());
  labelInfo_->setToolTip(infoTip_);
  labelCount_->setText(countText_);

  CreateSettingsPage(inOrder);

  // Page 2: the history.
  CreateHistoryList();
  inOrder(history_);
  for (const HistoryRow& row : historyRows_) {
    const int r = history_->rowCount();
    history_->insertRow(r);
    for (int c = 0; c < 4; ++c) {
      if (!row.cells[c].isNull()) history_->setItem(r, c, new QTableWidgetItem(row.cells[c]));
    }
    if (row.icon) SetSmallIcon(r, 0);
  }
  historyRows_.clear();
  CommandWidget* save = MakeButton(MainWindowButton::CommandSaveRecords, &FormMain::CommandSaveRecords_Click);
  CommandWidget* clear = MakeButton(MainWindowButton::CommandClearRecords, &FormMain::CommandClearRecords_Click);
  tabs_->AddToPage(2, save, kCommandSaveRecords);
  tabs_->AddToPage(2, clear, kCommandClearRecords);
  inOrder(save);
  inOrder(clear);
}

void MainWindow::CreateSettingsPage(const std::function<void(QWidget*)>& inOrder) {
  using namespace layout;
  const QFont label = LabelFont(), heading = LabelFont(true, 14);
  // Page 1: the live settings.
  auto addCheck = [&](SettingCheck which, const char* text, const Rect& r) {
    auto* box = new QCheckBox(QString::fromUtf8(text), this);
    box->setFont(label);  // no fill: the page shows through
    tabs_->AddToPage(1, box, r);
    inOrder(box);
    QObject::connect(box, &QCheckBox::clicked, [this, which] {
      if (settings_) settings_->OnCheckChanged(which);
    });
    checks_[static_cast<size_t>(which)] = box;
    SetCheck(which, checkStates_[static_cast<size_t>(which)]);
  };
  auto addCombo = [&](SettingCombo which, const Rect& r) {
    auto* combo = new QComboBox(this);
    combo->setFont(label);
    tabs_->AddToPage(1, combo, {r.left, r.top, r.right, r.top + 22});  // the closed list's height
    inOrder(combo);
    QObject::connect(combo, &QComboBox::currentIndexChanged, [this, which] {
      if (settings_) settings_->OnComboChanged(which);
    });
    const QSignalBlocker quiet(combo);  // what the program selected is no change by the user
    const size_t i = static_cast<size_t>(which);
    combo->addItems(comboEntries_[i]);
    combo->setCurrentIndex(comboIndex_[i]);
    combos_[i] = combo;
  };
  AddLabel(1, QStringLiteral("一般设置"), kHeadingGeneral, heading);
  addCheck(SettingCheck::kAutoRun, "开机启动(系统启动后自动运行Tarvex)", kCheckAutoRun);
  addCheck(SettingCheck::kAutoMin, "启动后缩为托盘图标", kCheckAutoMin);
  addCheck(SettingCheck::kMostTop, "窗体总在最前", kCheckMostTop);
  AddLabel(1, QStringLiteral("加速设置"), kHeadingSpeed, heading);
  addCheck(SettingCheck::kState, "启用加速", kCheckState);
  AddLabel(1, QStringLiteral("加速度："), kCaptionSpeed, label);
  addCombo(SettingCombo::kSpeed, kComboSpeed);
  AddLabel(1, QStringLiteral("加速记录设置"), kHeadingRecord, heading);
  addCheck(SettingCheck::kEnableRecord, "启用加速记录", kCheckEnableRecord);
  AddLabel(1, QStringLiteral("最大记录数："), kCaptionCleanCount, label);
  addCombo(SettingCombo::kAutoCleanCount, kComboAutoCleanCount);
}

void MainWindow::CreateLinks() {
  using namespace layout;
  // The window's own pointing hand, hot spot at the fingertip (10, 10).
  const QCursor cursor = ResourceCursor(QStringLiteral(":/hand.cur"), Qt::PointingHandCursor);
  home_.label = AddLabel(3, QStringLiteral("https://www.tarvex.cn/"), kLabelHomePage, LabelFont());
  help_.label = AddLabel(3, QStringLiteral("需要帮助？"), kLabelNeedHelp, LabelFont());
  for (Link* link : {&home_, &help_}) {
    link->label->setMouseTracking(true);
    link->label->setCursor(cursor);
    ShowLink(*link);
  }
}

void MainWindow::CreateHistoryList() {
  using namespace layout;
  history_ = new QTableWidget(0, 4, this);
  history_->setFont(LabelFont());
  history_->setHorizontalHeaderLabels({QStringLiteral("NO."), QStringLiteral("时间"), QStringLiteral("加速记录"),
                                       QStringLiteral("加速度")});
  history_->verticalHeader()->hide();
  history_->verticalHeader()->setDefaultSectionSize(18);
  history_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  history_->horizontalHeader()->setHighlightSections(false);
  for (int i = 0; i < 4; ++i) history_->setColumnWidth(i, kHistoryColumnWidths[i]);
  history_->setSelectionBehavior(QAbstractItemView::SelectRows);
  history_->setSelectionMode(QAbstractItemView::SingleSelection);
  history_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  history_->setShowGrid(true);
  history_->setWordWrap(false);
  history_->setIconSize(QSize(16, 16));
  tabs_->AddToPage(2, history_, kListViewHistory);
}

CommandWidget* MainWindow::MakeButton(MainWindowButton which, void (FormMain::*click)()) {
  auto* button = new CommandWidget(this, hooks_, std::string(MainWindowButtonName(which)));
  button->SetAmbientFont(MainWindowFormFont());
  button->resize(81, 25);  // 1215 x 375 twips; placed by the caller
  button->Load(MainWindowButtonBag(which));
  button->SetClickHandler([this, click] {
    if (form_) (form_->*click)();
  });
  return button;
}

void MainWindow::CreateButtons() {
  using namespace layout;
  // The hide and exit buttons sit on the window itself, below the tab control.
  commandMini_ = MakeButton(MainWindowButton::CommandMini, &FormMain::CommandMini_Click);
  commandExit_ = MakeButton(MainWindowButton::CommandExit, &FormMain::CommandExit_Click);
  commandMini_->setGeometry(kCommandMini.left, kCommandMini.top, kCommandMini.Width(), kCommandMini.Height());
  commandExit_->setGeometry(kCommandExit.left, kCommandExit.top, kCommandExit.Width(), kCommandExit.Height());
}

}  // namespace tarvex
