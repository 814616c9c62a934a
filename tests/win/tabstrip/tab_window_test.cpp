// The tab control in a sample window under real Win32: clicks, arrow keys, an
// access key, the wheel, the hover overlay and its expiry by the hover timer
// (read back in pixels), the form's moving and sizing, child windows following
// the tabs, and the form's procedure restored at teardown. Everything is driven
// with ordinary window messages and the real cursor. With TARVEX_TAB_SHOT=<bmp>
// it saves the sample window with the hover overlay shown.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "host/win32/tab_window.h"
#include "win/support/host_window.h"
#include "win/support/pixels.h"

namespace tarvex {
namespace {

class LogEvents final : public TabStripEvents {
 public:
  void BeforeTabSwitch(int16_t n, bool&) override { Add("BeforeTabSwitch(" + std::to_string(n) + ")"); }
  void TabSwitch(int16_t last) override { Add("TabSwitch(" + std::to_string(last) + ")"); }
  void Click() override { Add("Click"); }
  void KeyDown(int16_t& code, int16_t&) override { Add("KeyDown(" + std::to_string(code) + ")"); }
  void MouseDown(int16_t b, int16_t, float, float) override { Add("MouseDown(" + std::to_string(b) + ")"); }
  void MouseUp(int16_t b, int16_t, float, float) override { Add("MouseUp(" + std::to_string(b) + ")"); }
  void MouseHover(int32_t& tab, float&, float&) override { Add("MouseHover(" + std::to_string(tab) + ")"); }
  void MouseScrollUp() override { Add("MouseScrollUp"); }
  void MouseScrollDown() override { Add("MouseScrollDown"); }
  void AfterCompleteInit() override { Add("AfterCompleteInit"); }
  void MouseEnter() override { Add("MouseEnter"); }
  void MouseLeave() override { Add("MouseLeave"); }
  void Status(const std::string& s) override { Add("Status(" + s + ")"); }
  bool Has(const std::string& e) const { return std::find(log.begin(), log.end(), e) != log.end(); }
  std::vector<std::string> log;

 private:
  void Add(std::string e) { log.push_back(std::move(e)); }
};

// A form with a tab control of four pages (the main window's property-pages
// look, theme 1) and one static child on every page.
class Sample : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_unique<HostWindow>(L"TabStrip", 50, 50, 544, 342, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    form = host->Handle();
    ASSERT_NE(form, nullptr);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    formProc = GetWindowLongPtrW(form, GWLP_WNDPROC);

    PropertyBag bag;
    bag.Put("TabCount", int64_t{4});
    bag.Put("TabStyle", int64_t{1});
    bag.Put("TabTheme", int64_t{1});
    bag.Put("ActiveTabBackStartColor", int64_t{0xFBFDFB});
    bag.Put("ActiveTabBackEndColor", int64_t{0xFBFDFB});
    bag.Put("BackColor", int64_t{0xFBFDFB});
    bag.Put("InActiveTabBackStartColor", int64_t{0xFFFFFF});
    bag.Put("InActiveTabBackEndColor", int64_t{0xEAF0F0});
    bag.Put("OuterBorderColor", int64_t{0x9B9C91});
    tab = std::make_unique<TabWindow>(events);
    const RECT bounds{10, 10, 10 + 520, 10 + 320};
    ASSERT_NE(tab->CreateLoaded(instance, form, 1, bounds, &bag), nullptr);
    const char* captions[] = {"&Alpha", "Beta", "Gamma", "Delta"};
    for (int i = 0; i < 4; ++i) {
      tab->Strip().SetTabCaption(i, captions[i]);
      pages[i] = CreateWindowW(L"STATIC", L"page", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, form,
                               nullptr, instance, nullptr);
      tab->AddToPage(i, pages[i], Rect{20 + i, 60, 140 + i, 80});
    }
    PumpFor(50);  // the first paints and layout
    events.log.clear();
  }
  void TearDown() override {
    tab.reset();
    host.reset();
  }

  HWND TabHwnd() const { return tab->Handle(); }
  const Rect& TabRect(int i) const { return tab->Strip().State().AryTabs[static_cast<size_t>(i)].TabRect; }
  static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
  void ClickTab(int i) {
    const Rect r = TabRect(i);
    const LPARAM p = At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(TabHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, p);
    SendMessageW(TabHwnd(), WM_LBUTTONUP, 0, p);
  }
  // The page child's left edge in the tab window's client pixels.
  int PageLeft(int i) const {
    RECT r{};
    GetWindowRect(pages[i], &r);
    MapWindowPoints(HWND_DESKTOP, TabHwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r.left;
  }
  // The overlay's lines and band away from its corners: painted in XOR, so
  // painting the overlay again restores them (its corner pixels are set, not XORed).
  std::vector<Rgb> Band(const Rect& r) {
    std::vector<Rgb> out;
    Surface& s = tab->PersistentImage();
    for (int y = r.top; y <= r.top + 3; ++y)
      for (int x = r.left + 6; x <= r.right - 7; ++x) out.push_back(s.GetPixel(x, y));
    return out;
  }

  std::vector<Rgb> Image() {
    std::vector<Rgb> out;
    Surface& s = tab->PersistentImage();
    const Size size = tab->ClientSize();
    for (int y = 0; y < size.height; ++y)
      for (int x = 0; x < size.width; ++x) out.push_back(s.GetPixel(x, y));
    return out;
  }
  // How many pixels differ from `before`, and whether all of them lie in `r`.
  std::pair<int, bool> ChangedSince(const std::vector<Rgb>& before, const Rect& r) {
    const std::vector<Rgb> now = Image();
    const int w = tab->ClientSize().width;
    int changed = 0;
    bool inside = true;
    for (size_t i = 0; i < now.size(); ++i) {
      if (now[i] == before[i]) continue;
      ++changed;
      const int x = static_cast<int>(i) % w, y = static_cast<int>(i) / w;
      inside = inside && x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
    }
    return {changed, inside};
  }

  std::unique_ptr<HostWindow> host;
  HWND form = nullptr;
  LONG_PTR formProc = 0;
  HWND pages[4] = {};
  LogEvents events;
  std::unique_ptr<TabWindow> tab;
};

TEST_F(Sample, ClicksKeysAccessKeyAndWheelSwitchTabsWithEventsInOrder) {
  ASSERT_TRUE(tab->Strip().HooksInstalled());
  EXPECT_EQ(PageLeft(0), 20);
  ClickTab(2);
  EXPECT_EQ((std::vector<std::string>{"MouseDown(1)", "BeforeTabSwitch(2)", "TabSwitch(0)",
                                      "MouseUp(1)", "Click"}),
            events.log);
  EXPECT_EQ(tab->Strip().ActiveTab(), 2);
  EXPECT_EQ(PageLeft(2), 22);   // the page in front is at its place
  EXPECT_GT(PageLeft(0), 520);  // the others are far outside
  EXPECT_LT(PageLeft(3), -520);

  events.log.clear();
  SendMessageW(TabHwnd(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ((std::vector<std::string>{"BeforeTabSwitch(3)", "TabSwitch(2)", "KeyDown(39)"}),
            events.log);

  events.log.clear();
  tab->AccessKeyPressed('a');
  EXPECT_EQ(tab->Strip().ActiveTab(), 0);
  EXPECT_EQ(PageLeft(0), 20);

  events.log.clear();
  SendMessageW(TabHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ((std::vector<std::string>{"MouseScrollUp", "BeforeTabSwitch(1)", "TabSwitch(0)"}),
            events.log);
  SendMessageW(TabHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(tab->Strip().ActiveTab(), 0);
}

TEST_F(Sample, HoverOverlayAppearsAndGoesAtTheTimerTickAfterThePointerLeaves) {
  const Rect r1 = TabRect(1);
  const std::vector<Rgb> plain = Band(r1);
  POINT inside{(r1.left + r1.right) / 2, (r1.top + r1.bottom) / 2};
  POINT screen = inside;
  ClientToScreen(TabHwnd(), &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageW(TabHwnd(), WM_MOUSEMOVE, 0, At(inside.x, inside.y));
  EXPECT_TRUE(tab->Strip().State().HoverDrawn);
  EXPECT_NE(Band(r1), plain);
  EXPECT_TRUE(events.Has("MouseEnter"));
  EXPECT_TRUE(events.Has("MouseHover(1)"));
  // Still shown after several ticks while the pointer stays on the tab.
  PumpFor(60);
  EXPECT_TRUE(tab->Strip().State().HoverDrawn);
  if (const char* shot = std::getenv("TARVEX_TAB_SHOT")) {
    EXPECT_TRUE(SaveBmp(shot, CaptureClient(form)));
  }

  SetCursorPos(5, 5);  // off the control
  EXPECT_TRUE(PumpUntil([&] { return !tab->Strip().State().HoverDrawn; }, 2000));
  EXPECT_EQ(Band(r1), plain);
  EXPECT_TRUE(PumpUntil([&] { return events.Has("MouseLeave"); }, 3000));
}

TEST_F(Sample, FocusInAndOutMarksTheActiveTabAndFormColourChangesRepaint) {
  // The pointer rests on tab 2 long enough to make it the hover tab, then leaves.
  const Rect r2 = TabRect(2);
  POINT screen{(r2.left + r2.right) / 2, (r2.top + r2.bottom) / 2};
  ClientToScreen(TabHwnd(), &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageW(TabHwnd(), WM_MOUSEMOVE, 0, At((r2.left + r2.right) / 2, (r2.top + r2.bottom) / 2));
  ASSERT_EQ(tab->Strip().State().HoverTab, 2);
  SetCursorPos(5, 5);
  ASSERT_TRUE(PumpUntil([&] { return !tab->Strip().State().HoverDrawn; }, 2000));
  const std::vector<Rgb> unfocused = Image();

  SetFocus(TabHwnd());
  EXPECT_TRUE(PumpUntil([&] { return tab->Strip().State().IsFocused; }, 2000));
  EXPECT_EQ(tab->Strip().State().HoverTab, 0);
  const auto [marked, onActiveTab] = ChangedSince(unfocused, TabRect(0));
  EXPECT_GT(marked, 0) << "no focus rectangle";
  EXPECT_TRUE(onActiveTab);
  SetFocus(form);
  EXPECT_TRUE(PumpUntil([&] { return !tab->Strip().State().IsFocused; }, 2000));
  EXPECT_EQ(ChangedSince(unfocused, TabRect(0)).first, 0) << "the focus rectangle stayed";

  // The form's colour and theme changes repaint the whole control.
  tab->Strip().Refresh();
  const std::vector<Rgb> repainted = Image();
  for (UINT msg : {static_cast<UINT>(WM_SYSCOLORCHANGE), static_cast<UINT>(WM_THEMECHANGED)}) {
    tab->PersistentImage().FillRect(Rect{0, 0, 300, 200}, MakeRgb(1, 2, 3));
    SendMessageW(form, msg, 0, 0);
    EXPECT_EQ(ChangedSince(repainted, TabRect(0)).first, 0) << "message " << msg;
  }
}

TEST_F(Sample, FormMovingAndSizingRaiseStatus) {
  RECT r{};
  GetWindowRect(form, &r);
  SendMessageW(form, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
  SendMessageW(form, WM_EXITSIZEMOVE, 0, 0);
  SendMessageW(form, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&r));
  SendMessageW(form, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ((std::vector<std::string>{"Status(Form is moving...)", "Status(Finished Moving.)",
                                      "Status(Form is sizing...)", "Status(Finished Sizing.)"}),
            events.log);
}

TEST_F(Sample, TeardownPutsTheFormsProcedureBack) {
  EXPECT_NE(GetWindowLongPtrW(form, GWLP_WNDPROC), formProc);
  tab->Strip().SetActiveTab(3);
  tab.reset();
  EXPECT_EQ(GetWindowLongPtrW(form, GWLP_WNDPROC), formProc);
  SendMessageW(form, WM_MOVING, 0, 0);  // reaches nobody's hook any more
}

}  // namespace
}  // namespace tarvex
