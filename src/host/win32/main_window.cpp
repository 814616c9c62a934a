// The main window: class, creation and the message handling that forwards to
// FormMain and the settings handler (see main_window.h).
#include "main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "live_gdi_query.h"
#include "main_window_ids.h"
#include "monitor_window.h"
#include "app/main_window_layout.h"
#include "control_window.h"
#include "res/resource.h"
#include "tab_window.h"

namespace tarvex {

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow::~MainWindow() {
  // The controls go first: they still use the brushes, fonts and pictures.
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool MainWindow::RegisterClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TARVEX), IMAGE_ICON, 32, 32, 0));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TARVEX), IMAGE_ICON, 16, 16, 0));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0;
}

bool MainWindow::Create() {
  strip_.Reset(static_cast<HBITMAP>(
      LoadImageW(instance_, MAKEINTRESOURCEW(IDB_STRIP), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  aboutIcon_.Reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_TARVEX), IMAGE_ICON, 48, 48, 0)));
  pageBrush_.Reset(CreateSolidBrush(RGB(0xFB, 0xFD, 0xFB)));  // SSTabMain's BackColor &HFBFDFB
  formBrush_.Reset(CreateSolidBrush(RGB(0xEE, 0xF3, 0xF9)));
  static constexpr COLORREF kLegend[5] = {RGB(0, 255, 0), RGB(255, 255, 0), RGB(255, 0, 0), RGB(0, 0, 255),
                                          RGB(255, 128, 255)};
  for (size_t i = 0; i < legendBrushes_.size(); ++i) legendBrushes_[i].Reset(CreateSolidBrush(kLegend[i]));

  // No system caption: the top strip is the caption (dragged, with its own
  // hide and exit buttons). The system menu and minimise box keep the
  // taskbar's commands working.
  const DWORD style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
  RECT r{0, 0, layout::kClient.width, layout::kClient.height};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  const int width = r.right - r.left, height = r.bottom - r.top;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;
  hwnd_ = CreateWindowExW(exStyle, kClassName, kCaption, style, x, y, width, height, nullptr, nullptr,
                          instance_, this);
  if (!hwnd_) return false;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.window.Get()), FALSE);

  PageTabsEvents events;
  events.mouseDown = [this] { if (form_) form_->SSTabMain_MouseDown(); };
  events.mouseMove = [this] { if (form_) form_->SSTabMain_MouseMove(); };
  tabs_ = CreateTabStripPageTabs(instance_, hwnd_, ids::kTabMain, layout::kTab, std::move(events));
  if (!tabs_) return false;
  CreateControls();
  // The strip lies under its pages' controls, which are its siblings.
  SetWindowPos(tabs_->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

void MainWindow::StartTimers() {
  // The monitor samples every 500 ms: started in the same instant as the main
  // 1 s timer, every other sample falls on a main tick, and the program wakes
  // twice a second instead of three times (under Wine each wake is a round of
  // server calls). The monitor comes after the first paint, the main timer
  // before it, so whichever comes second starts both again.
  if (monitor_ != nullptr) monitor_->Monitor().RestartTimer();
  if (timerMainOn_) SetTimer(hwnd_, ids::kTimerMain, kTimerMainIntervalMs, nullptr);
}

bool MainWindow::PreTranslate(MSG& msg) {
  if (!hwnd_) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) {
    // The controls of the other pages are parked outside the window by the tab
    // control; Tab skips them instead of moving the focus out of sight.
    RECT client;
    GetClientRect(hwnd_, &client);
    const bool back = GetKeyState(VK_SHIFT) < 0;
    HWND start = GetFocus();
    HWND next = start;
    for (int guard = 0; guard < 64; ++guard) {
      next = GetNextDlgTabItem(hwnd_, next, back);
      if (!next || next == start) break;
      RECT r;
      GetWindowRect(next, &r);
      MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&r), 2);
      RECT inside;
      if (IntersectRect(&inside, &r, &client)) {
        SetFocus(next);
        return true;
      }
    }
    return true;
  }
  if (RouteAccessKey(hwnd_, msg)) return true;
  return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

LRESULT CALLBACK MainWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->Handle(msg, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      Paint(BeginPainting(hwnd_).Get().dc);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (form_) form_->BackgroundMouseDown();
      return 0;
    case WM_MOUSEMOVE:
      if (form_) form_->BackgroundMouseMove();
      return 0;
    case WM_TIMER:
      if (wParam == ids::kTimerMain && form_) form_->TimerMain_Timer();
      return 0;
    case kCreateDeferredMessage:
      if (form_) form_->Shown();  // the tray icon first: the one part the user sees
      CreateDeferred();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CLOSE:
      // Whatever asked: the presenter asks the user (or not) and tidies up.
      if (!form_ || form_->QueryUnload()) {
        closing_ = true;
        DestroyWindow(hwnd_);
      }
      return 0;
    case WM_ENDSESSION:
      // The logon ends: the process will not see another message, so close
      // now (QuitWithoutAsking is set; nothing is asked).
      if (wParam && !closing_ && form_ && form_->QueryUnload()) {
        closing_ = true;
        DestroyWindow(hwnd_);
      }
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd_, ids::kTimerMain);
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return 0;
    default:
      if (msg == LiveGdiQuery()) return static_cast<LRESULT>(LiveGdiObjects());
      return DefWindowProcW(hwnd_, msg, wParam, lParam);
  }
}

UINT MainWindow::LiveGdiQuery() {
  static const UINT message = RegisterWindowMessageW(kLiveGdiQueryMessage);
  return message;
}

void MainWindow::OnCommand(int id, int code, HWND control) {
  if (!control || !form_) return;  // menus, accelerators, IsDialogMessage's IDOK/IDCANCEL, 0xF020
  switch (id) {
    case ids::kCheckAutoRun: case ids::kCheckAutoMin: case ids::kCheckState:
    case ids::kCheckMostTop: case ids::kCheckEnableRecord:
      if (code == BN_CLICKED && settings_) {
        static constexpr SettingCheck kByOrder[5] = {SettingCheck::kAutoRun, SettingCheck::kAutoMin,
                                                     SettingCheck::kState, SettingCheck::kMostTop,
                                                     SettingCheck::kEnableRecord};
        settings_->OnCheckChanged(kByOrder[id - ids::kCheckAutoRun]);
      }
      break;
    case ids::kComboSpeed:
      if (code == CBN_SELCHANGE && settings_) settings_->OnComboChanged(SettingCombo::kSpeed);
      break;
    case ids::kComboAutoCleanCount:
      if (code == CBN_SELCHANGE && settings_) settings_->OnComboChanged(SettingCombo::kAutoCleanCount);
      break;
    case ids::kLabelHomePage:
      if (code == STN_CLICKED) form_->LinkClick(LinkLabel::HomePage);
      break;
    case ids::kLabelNeedHelp:
      if (code == STN_CLICKED) form_->LinkClick(LinkLabel::NeedHelp);
      break;
    case ids::kCommandMini:
      if (code == BN_CLICKED) form_->CommandMini_Click();
      break;
    case ids::kCommandExit:
      if (code == BN_CLICKED) form_->CommandExit_Click();
      break;
    case ids::kCommandSaveRecords:
      if (code == BN_CLICKED) form_->CommandSaveRecords_Click();
      break;
    case ids::kCommandClearRecords:
      if (code == BN_CLICKED) form_->CommandClearRecords_Click();
      break;
    default:
      break;
  }
}

int64_t MainWindow::Link::RouteMessage(HookHandle hook, int64_t hWnd, uint32_t msg, uint64_t wParam,
                                       int64_t lParam) {
  switch (msg) {
    case WM_SETCURSOR: {
      // The window's own pointing hand, hot spot at the fingertip (10, 10).
      static HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINKHAND));
      SetCursor(hand ? hand : LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    }
    case WM_MOUSEMOVE:
      if (owner.form_) owner.form_->LinkMouseMove(which);
      break;
    default:
      break;
  }
  return owner.linkHooks_.CallPrevious(hook, hWnd, msg, wParam, lParam);
}

}  // namespace tarvex
