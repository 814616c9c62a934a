// The tab control and the gradient button in a form under real input
// (SendInput, routed by the system and the form's message loop as in the
// program): access keys, a double-click, Enter and Esc on a focused button, and
// a drag over a button.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/win32/command_window.h"
#include "host/win32/tab_window.h"
#include "support/fake_command_site.h"
#include "win/support/host_window.h"
#include "win/support/real_input.h"

namespace tarvex {
namespace {

constexpr int kGoId = 101, kNextId = 102;
std::vector<int> g_commands;  // WM_COMMAND ids the form received, in order

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) g_commands.push_back(LOWORD(wParam));
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

PropertyBag Captioned(const char* caption) {
  PropertyBag bag;
  bag.Put("Caption", std::string(caption));
  return bag;
}

// A form with a three-page tab control ("&Alpha", "&Beta", "&Delta"), the
// button "&Go" below it and the button "Ne&xt" on page 2.
class RealInput : public ::testing::Test {
 protected:
  void SetUp() override {
    g_commands.clear();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"TarvexInputForm";
    RegisterClassW(&wc);
    form = CreateWindowExW(WS_EX_CONTROLPARENT, L"TarvexInputForm", L"Input",
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 560, 420, nullptr, nullptr,
                           instance, nullptr);
    ASSERT_NE(form, nullptr);
    PropertyBag tabBag;
    tabBag.Put("TabCount", int64_t{3});
    tab = std::make_unique<TabWindow>(tabEvents);
    ASSERT_NE(tab->CreateLoaded(instance, form, 1, RECT{10, 10, 530, 330}, &tabBag), nullptr);
    const char* captions[] = {"&Alpha", "&Beta", "&Delta"};
    for (int i = 0; i < 3; ++i) tab->Strip().SetTabCaption(i, captions[i]);
    ASSERT_NE(go.CreateLoaded(instance, form, kGoId, RECT{20, 340, 101, 365}, Captioned("&Go")),
              nullptr);
    go.SetExtraEvents(&goEvents);
    ASSERT_NE(next.CreateLoaded(instance, form, kNextId, RECT{0, 0, 81, 25}, Captioned("Ne&xt")),
              nullptr);
    tab->AddToPage(2, next.Handle(), Rect{20, 60, 101, 85});
    SetForegroundWindow(form);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form; }, 5000));
    Pump(50);
    goEvents.log.clear();
  }
  void TearDown() override {
    input::LeftUp();
    tab.reset();
    if (form != nullptr) DestroyWindow(form);
  }

  // The form's message loop: access keys first, then the dialog keys.
  bool FormKeys(MSG& msg) const { return RouteAccessKey(form, msg) || IsDialogMessageW(form, &msg); }
  bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    return tarvex::PumpUntil(done, ms, [this](MSG& msg) { return FormKeys(msg); });
  }
  void Pump(DWORD ms) { PumpFor(ms, [this](MSG& msg) { return FormKeys(msg); }); }
  static int Commands(int id) { return static_cast<int>(std::count(g_commands.begin(), g_commands.end(), id)); }
  // The button's events without the pointer's comings and goings.
  std::vector<std::string> GoEvents() const {
    std::vector<std::string> out;
    for (const std::string& e : goEvents.log) {
      if (e.rfind("MouseMove", 0) != 0 && e != "MouseOut") out.push_back(e);
    }
    return out;
  }
  Rgb GoPixel() { return go.PersistentImage().GetPixel(6, 12); }

  HWND form = nullptr;
  TabStripEvents tabEvents;
  std::unique_ptr<TabWindow> tab;
  CommandWindow go{"Go"};
  CommandWindow next{"Next"};
  RecordingEvents goEvents;
};

TEST_F(RealInput, AccessKeysReachTheVisibleControlThatHoldsThem) {
  SetFocus(tab->Handle());
  ASSERT_TRUE(input::Keys({'B'}, {VK_MENU}));
  EXPECT_TRUE(PumpUntil([&] { return tab->Strip().ActiveTab() == 1; }, 3000));
  // "Ne&xt" lies on page 2, out of sight: its key reaches nobody.
  ASSERT_TRUE(input::Keys({'X'}, {VK_MENU}));
  Pump(300);
  EXPECT_EQ(Commands(kNextId), 0);
  ASSERT_TRUE(input::Keys({'G'}, {VK_MENU}));
  EXPECT_TRUE(PumpUntil([&] { return Commands(kGoId) == 1; }, 3000));
  EXPECT_EQ(GoEvents(), std::vector<std::string>{"Click"});
  // The letter alone works while the focus is on a window that takes no text.
  SetFocus(tab->Handle());
  ASSERT_TRUE(input::Keys({'D'}));
  EXPECT_TRUE(PumpUntil([&] { return tab->Strip().ActiveTab() == 2; }, 3000));
  ASSERT_TRUE(input::Keys({'X'}, {VK_MENU}));
  EXPECT_TRUE(PumpUntil([&] { return Commands(kNextId) == 1; }, 3000));
}

TEST_F(RealInput, DoubleClickOnAButtonGivesOneClick) {
  ASSERT_TRUE(input::MoveTo(go.Handle(), 40, 12));
  ASSERT_TRUE(input::LeftClick());
  ASSERT_TRUE(input::LeftClick());
  EXPECT_TRUE(PumpUntil([&] { return GoEvents().size() >= 5; }, 3000));
  Pump(200);
  EXPECT_EQ(GoEvents(), (std::vector<std::string>{"MouseDown 1 0 40 12", "MouseUp 1 0 40 12", "Click",
                                                  "MouseDown 1 1 1 1", "MouseUp 1 0 40 12"}));
  EXPECT_EQ(Commands(kGoId), 1);
}

TEST_F(RealInput, EnterAndEscReachAFocusedButtonsKeyEvents) {
  SetFocus(go.Handle());
  ASSERT_TRUE(input::Keys({VK_RETURN, VK_ESCAPE}));
  EXPECT_TRUE(PumpUntil([&] { return !goEvents.log.empty() && goEvents.log.back() == "KeyUp 27 0"; },
                        3000));
  std::vector<std::string> keys;
  for (const std::string& e : goEvents.log) {
    if (e.rfind("KeyDown", 0) == 0 || e.rfind("KeyUp", 0) == 0) keys.push_back(e);
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"KeyDown 13 0", "KeyUp 13 0", "KeyDown 27 0",
                                            "KeyUp 27 0"}));
  EXPECT_TRUE(g_commands.empty());  // no IDOK or IDCANCEL for the form, no click
}

TEST_F(RealInput, DraggingOntoAButtonShowsThePressedFaceOnly) {
  const Rgb normal = GoPixel();
  ASSERT_TRUE(input::MoveTo(go.Handle(), 40, 12));
  ASSERT_TRUE(input::LeftDown());
  ASSERT_TRUE(PumpUntil([&] { return go.Button().VisualState() == kStatePressed; }, 3000));
  const Rgb pressed = GoPixel();
  ASSERT_NE(pressed, normal);
  ASSERT_TRUE(input::LeftUp());
  ASSERT_TRUE(PumpUntil([&] { return Commands(kGoId) == 1; }, 3000));

  // Pressed on the form, away from the button, and dragged onto it.
  ASSERT_TRUE(input::MoveTo(form, 300, 20 + 340));
  ASSERT_TRUE(PumpUntil([&] { return GoPixel() == normal && !go.Button().Hovering(); }, 3000));
  ASSERT_TRUE(input::LeftDown());
  Pump(50);
  ASSERT_TRUE(input::MoveTo(go.Handle(), 40, 12));
  EXPECT_TRUE(PumpUntil([&] { return GoPixel() == pressed; }, 3000));
  Pump(100);  // the window's paint shows the face, it does not repaint the state
  EXPECT_EQ(GoPixel(), pressed);
  EXPECT_EQ(go.Button().VisualState(), kStateNormal);
  HDC dc = GetDC(go.Handle());
  const COLORREF shown = GetPixel(dc, 6, 12);
  ReleaseDC(go.Handle(), dc);
  EXPECT_EQ(shown, RGB(RedOf(pressed), GreenOf(pressed), BlueOf(pressed)));
  // Released there: no click, since the press was not on the button.
  ASSERT_TRUE(input::LeftUp());
  Pump(200);
  EXPECT_EQ(Commands(kGoId), 1);
}

}  // namespace
}  // namespace tarvex
