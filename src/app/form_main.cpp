// FormMain's start-up, exit and event handlers (see form_main.h).
#include "app/form_main.h"

#include "app/product_address.h"

namespace tarvex {

namespace {
constexpr int kTabCount = 4;
constexpr int kStartTab = 3;           // " 关于软件 " in front after start
constexpr int kActiveTabHeightPx = 25;
constexpr char kAppTitle[] = "Tarvex";
constexpr char kAlreadyRunning[] = "Tarvex 已经运行。";
constexpr char kConfirmExit[] = "确定要退出吗？";
constexpr char kConfirmTitle[] = "请确认?";
}  // namespace

FormMain::FormMain(FormMainView& view, FormMainCore& core, ModuleMainTray& tray,
                   WindowPlatform& windows, Shell& shell, const SingleInstance& instance)
    : view_(view), core_(core), tray_(tray), windows_(windows), shell_(shell), instance_(instance) {
  tray_.SetPopupMenu([this] { ShowPopupMenu(); });
}

const std::vector<std::string>& FormMain::TabCaptions() {
  static const std::vector<std::string> captions{" 状态 ", " 软件设置 ", " 加速记录 ",
                                                 " 关于软件 "};
  return captions;
}

const std::vector<std::string>& FormMain::SpeedEntries() {
  static const std::vector<std::string> entries{"普通加速", "疯狂加速"};
  return entries;
}

const std::vector<std::string>& FormMain::AutoCleanCountEntries() {
  static const std::vector<std::string> entries{"50", "100", "200", "300"};
  return entries;
}

const std::vector<MenuEntry>& FormMain::MenuEntries() {
  static const std::vector<MenuEntry> entries{{kMenuMainScreen, "主界面"},
                                              {0, ""},
                                              {kMenuUpdate, "官方网站"},
                                              {0, ""},
                                              {kMenuExit, "退出"}};
  return entries;
}

bool FormMain::Initialize() {
  if (!instance_.AnotherInstanceRunning()) return true;
  view_.ShowWarning(kAlreadyRunning, kAppTitle);
  return false;
}

bool FormMain::Load(WindowHandle window) {
  window_ = window;
  tray_.SetMainWindow(window);

  // The tab control: images, captions, the page in front, the tab height.
  view_.CopyTabImagesFromImageList();
  for (int tab = 0; tab < kTabCount; ++tab) view_.SetTabCaption(tab, TabCaptions()[tab]);
  view_.SetActiveTab(kStartTab);
  view_.SetActiveTabHeight(kActiveTabHeightPx);
  // Engine state, list entries, stored settings, the first tick (before
  // the window is seen, so the foreground is whatever was in front).
  core_.ResetEngine();
  view_.FillComboSpeed(SpeedEntries());
  view_.FillComboAutoCleanCount(AutoCleanCountEntries());
  // The settings are applied and read again below: one look at their file.
  core_.HoldSettings();
  core_.ApplyStartupSettings();
  core_.TimerMainTick();
  // Always on top as stored, links in their normal look, the program's window
  // procedure in front, the tray icon, and exit asks again.
  (void)windows_.SetTopmost(window_, core_.AlwaysTopReadsOn());
  SetLinksNormal();
  tray_.InstallWindowProc();
  tray_.SetQuitWithoutAsking(false);
  // Auto-minimise goes through the window procedure like the hide button;
  // if that procedure is not in front the request does nothing and the
  // window shows. The icon, the hidden window's way back, comes first.
  bool show = true;
  if (core_.AutoMinReadsOn()) {
    AddTrayIconOnce();
    (void)windows_.Send(window_, wm::kCommand, wm::kScMinimize, 0);
    show = tray_.PreviousWindowProc() == 0;
  }
  core_.ReleaseSettings();
  // Only now may a restarted taskbar ask for the icon again.
  tray_.RegisterTaskbarCreated();
  return show;
}

void FormMain::Shown() { AddTrayIconOnce(); }

void FormMain::AddTrayIconOnce() {
  // Not after the exit: an icon added then would outlive the program.
  if (iconAdded_ || unloaded_) return;
  iconAdded_ = true;
  tray_.AddTrayIcon();
}

bool FormMain::QueryUnload() {
  if (!tray_.QuitWithoutAsking()) {
    if (view_.AskYesNo(kConfirmExit, kConfirmTitle) != PromptAnswer::Yes) return false;
  }
  // Every way out (Yes, the tray menu's 退出, the end of the logon) passes here:
  // leave no process raised behind.
  core_.GiveBackRaised();
  unloaded_ = true;
  tray_.RemoveTrayIcon();
  tray_.RemoveWindowProc();
  return true;
}

void FormMain::TimerMain_Timer() { core_.TimerMainTick(); }

void FormMain::DragWindow() {
  // The platform then moves the window as if its caption were dragged.
  windows_.ReleaseMouseCapture();
  (void)windows_.Send(window_, wm::kNcLButtonDown, wm::kHtCaption, 0);
}

void FormMain::SetLinksNormal() {
  view_.SetLinkLook(LinkLabel::HomePage, false, kLinkNormalColor);
  view_.SetLinkLook(LinkLabel::NeedHelp, false, kLinkNormalColor);
}

void FormMain::BackgroundMouseDown() { DragWindow(); }
void FormMain::SSTabMain_MouseDown() { DragWindow(); }
void FormMain::BackgroundMouseMove() { SetLinksNormal(); }
void FormMain::SSTabMain_MouseMove() { SetLinksNormal(); }

void FormMain::LinkMouseMove(LinkLabel link) { view_.SetLinkLook(link, true, kLinkHotColor); }

void FormMain::LinkClick(LinkLabel link) {
  const char* address = link == LinkLabel::HomePage ? kProductHomePage : kProductHelpPage;
  (void)shell_.OpenAddress(window_, address);
}

void FormMain::CommandMini_Click() { (void)windows_.Send(window_, wm::kCommand, wm::kScMinimize, 0); }
void FormMain::CommandExit_Click() { view_.CloseWindow(); }
void FormMain::CommandSaveRecords_Click() { core_.SaveRecords(); }
void FormMain::CommandClearRecords_Click() { core_.ClearRecords(); }

void FormMain::ShowPopupMenu() {
  const auto chosen = windows_.TrackPopupMenu(window_, MenuEntries());
  if (!chosen) return;
  switch (*chosen) {
    case kMenuMainScreen: MainScreen_Click(); break;
    case kMenuUpdate: Update_Click(); break;
    case kMenuExit: Exit_Click(); break;
    default: break;
  }
}

void FormMain::MainScreen_Click() {
  if (windows_.IsVisible(window_)) return;
  windows_.Show(window_);
  (void)windows_.Send(window_, wm::kSysCommand, wm::kScRestore, 0);
}

void FormMain::Update_Click() { (void)shell_.OpenAddress(window_, kProductHomePage); }

void FormMain::Exit_Click() {
  windows_.Show(window_);
  view_.CloseWindow();
}

}  // namespace tarvex
