// The Qt view of FormMain: the frameless main window with its top strip, the
// tab control SSTabMain and the native widgets of the four pages, the gradient
// buttons, the tooltip, and the views the presenter and the speed-up core talk
// to. Decisions live in FormMain and the core; this class only builds widgets,
// unpacks events and forwards them.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>

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
#include "command_widget.h"
#include "message_hooks.h"
#include "monitor_widget.h"
#include "qt_platform.h"
#include "tab_widget.h"
#include "tabctl/main_window_tabs.h"

namespace tarvex {

class MainWindow final : public QWidget,
                         public FormMainView,
                         public SettingsControls,
                         public MainWindowOps,
                         public StatusView,
                         public HistoryView {
 public:
  // `hooks` and `sampler` must outlive the window.
  MainWindow(MessageHooks& hooks, ModuleLoadSampler& sampler);
  ~MainWindow() override;

  // Wiring done by the program before Load.
  void Attach(FormMain* form, SettingsHandler* settings, QtWindowPlatform* windows);
  // The status, settings and history pages, made after the first paint so the window
  // shows sooner; until then their views keep what they are given.
  void CreateLaterPages();
  // Runs `work` once the first paint has reached the screen, or after a
  // second if no paint comes (a window mapped fully covered gets none).
  void AfterFirstPaint(std::function<void()> work);
  // Starts TimerMain; the presenter's tick runs from then on.
  void StartTimerMain() { timerMain_.start(); }
  int64_t Handle() const { return HandleOf(this); }
  // The window's own handling of a message sent to it (the procedure behind
  // the program's): minimise, restore, the caption drag.
  int64_t OwnProcedure(uint32_t message, uint64_t wParam, int64_t lParam);

  // --- FormMainView ---
  void CopyTabImagesFromImageList() override;
  void SetTabCaption(int tab, std::string_view caption) override;
  void SetActiveTab(int tab) override;
  void SetActiveTabHeight(int pixels) override;
  void FillComboSpeed(const std::vector<std::string>& entries) override;
  void FillComboAutoCleanCount(const std::vector<std::string>& entries) override;
  void SetLinkLook(LinkLabel link, bool underline, OleColor color) override;
  void CloseWindow() override { close(); }
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

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Link {
    QLabel* label = nullptr;
    bool underline = false;
    OleColor color = 0xFF0000;
  };

  // main_window_pages.cpp
  void CreateControls();
  QLabel* AddLabel(int page, const QString& text, const Rect& rectOnPage, const QFont& font);
  void CreateSettingsPage(const std::function<void(QWidget*)>& inOrder);
  void CreateHistoryList();
  void CreateButtons();
  CommandWidget* MakeButton(MainWindowButton which, void (FormMain::*click)());
  void RunAfterFirstPaint();
  void CreateLinks();

  QCheckBox* CheckBox(SettingCheck check) const;
  QComboBox* Combo(SettingCombo combo) const;
  Link& LinkOf(LinkLabel link) { return link == LinkLabel::HomePage ? home_ : help_; }
  void ShowLink(const Link& link);
  void FillCombo(SettingCombo combo, const std::vector<std::string>& entries);

  MessageHooks& hooks_;
  ModuleLoadSampler& sampler_;
  FormMain* form_ = nullptr;
  SettingsHandler* settings_ = nullptr;
  QtWindowPlatform* windows_ = nullptr;
  QtDialogs dialogs_;
  QTimer timerMain_;
  std::function<void()> afterFirstPaint_;
  QImage strip_;

  TabWidget* tabs_ = nullptr;
  std::array<QCheckBox*, 5> checks_{};  // by SettingCheck
  std::array<QComboBox*, 2> combos_{};  // by SettingCombo
  // What the settings page's views hold until the page is made.
  std::array<CheckState, 5> checkStates_{};
  std::array<QStringList, 2> comboEntries_;
  std::array<int, 2> comboIndex_{-1, -1};
  QLabel* labelInfo_ = nullptr;
  QString infoText_;  // LabelInfo's whole caption (the label shows it cut)
  QString infoTip_;
  QLabel* labelCount_ = nullptr;
  QString countText_ = QStringLiteral("0");
  QTableWidget* history_ = nullptr;
  struct HistoryRow {
    std::array<QString, 4> cells;
    bool icon = false;
  };
  std::vector<HistoryRow> historyRows_;  // the list's rows until it is made
  Link home_, help_;
  CommandWidget* commandMini_ = nullptr;
  CommandWidget* commandExit_ = nullptr;
  bool closing_ = false;
  bool minimizing_ = false;  // our own minimise is under way
  bool dragging_ = false;    // the window follows the mouse (see OwnProcedure)
  QPoint dragFrom_;          // the mouse relative to the window's top left
};

}  // namespace tarvex
