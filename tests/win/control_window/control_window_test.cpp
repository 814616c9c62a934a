// The window behind a portable control: its persistent image shows on paint
// and survives being covered, input arrives unpacked, timers and size reach
// the control.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/win32/control_window.h"
#include "win/support/host_window.h"
#include "win/support/pixels.h"

namespace tarvex {
namespace {

class RecordingControl : public ControlWindow {
 public:
  std::vector<std::string> log;

 protected:
  void OnMouseDown(int button, int shift, int x, int y) override {
    log.push_back("down " + std::to_string(button) + " " + std::to_string(shift) + " " +
                  std::to_string(x) + "," + std::to_string(y));
  }
  void OnMouseUp(int button, int, int x, int y) override {
    log.push_back("up " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void OnDblClick() override { log.push_back("dblclick"); }
  void OnKeyDown(int keyCode, int) override { log.push_back("keydown " + std::to_string(keyCode)); }
  void OnKeyPress(int key) override { log.push_back("keypress " + std::to_string(key)); }
  void OnTimer(int id) override { log.push_back("timer " + std::to_string(id)); }
  void OnSize(int w, int h) override {
    log.push_back("size " + std::to_string(w) + "x" + std::to_string(h));
  }
};

class ControlWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                              200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    RECT bounds{10, 10, 110, 60};
    ASSERT_NE(control_.Create(GetModuleHandleW(nullptr), parent_, 7, bounds), nullptr);
  }
  void TearDown() override { DestroyWindow(parent_); }

  testing::AssertionResult Shows(int x, int y, COLORREF expected) {
    return ShowsPixel(control_.Handle(), x, y, expected);
  }
  // Pumps until the image is on screen or 5 s pass; the caller asserts the pixels.
  void PumpUntilShown() {
    (void)PumpUntil([&] { return Shows(50, 25, RGB(255, 0, 0)) && Shows(5, 5, RGB(0, 0, 255)); }, 5000);
  }

  HWND parent_ = nullptr;
  RecordingControl control_;
};

TEST_F(ControlWindowTest, PersistentImageIsTheClientSizeAndShowsOnRefresh) {
  EXPECT_EQ(control_.ClientSize(), (Size{100, 50}));
  Surface& image = control_.PersistentImage();
  image.Clear(MakeRgb(255, 0, 0));
  image.FillRect({0, 0, 10, 10}, MakeRgb(0, 0, 255));
  control_.Refresh();
  PumpUntilShown();
  EXPECT_TRUE(Shows(50, 25, RGB(255, 0, 0)));
  EXPECT_TRUE(Shows(5, 5, RGB(0, 0, 255)));
  // covered and uncovered: WM_PAINT brings the image back
  HWND cover = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40, 200,
                               150, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  PumpFor(50);
  DestroyWindow(cover);
  PumpUntilShown();
  EXPECT_TRUE(Shows(50, 25, RGB(255, 0, 0)));
  EXPECT_TRUE(Shows(5, 5, RGB(0, 0, 255)));
}

TEST_F(ControlWindowTest, InputArrivesUnpacked) {
  HWND h = control_.Handle();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(12, 34));
  EXPECT_EQ(GetCapture(), h);
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(13, 35));
  EXPECT_NE(GetCapture(), h);
  SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(13, 35));
  SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(-3, 4));
  SendMessageW(h, WM_RBUTTONUP, 0, MAKELPARAM(-3, 4));
  SendMessageW(h, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(h, WM_CHAR, 'a', 0);
  const std::vector<std::string> expected = {"down 1 1 12,34", "up 1 13,35", "dblclick",
                                             "down 2 0 -3,4",  "up 2 -3,4",  "keydown 39",
                                             "keypress 97"};
  EXPECT_EQ(control_.log, expected);
  EXPECT_EQ(GetFocus(), h);  // a press took the focus (WS_TABSTOP)
  EXPECT_TRUE(control_.HasFocus());
}

TEST_F(ControlWindowTest, TimersAndSizeReachTheControl) {
  control_.StartTimer(3, 10);
  auto ticked = [&] { return std::find(control_.log.begin(), control_.log.end(), "timer 3") != control_.log.end(); };
  ASSERT_TRUE(PumpUntil(ticked, 5000));
  control_.StopTimer(3);
  control_.log.clear();
  PumpFor(60);  // six intervals: a running timer would have fired
  EXPECT_TRUE(control_.log.empty());
  control_.PersistentImage().Clear(MakeRgb(0, 255, 0));
  MoveWindow(control_.Handle(), 10, 10, 150, 70, TRUE);
  ASSERT_FALSE(control_.log.empty());
  EXPECT_EQ(control_.log.back(), "size 150x70");
  EXPECT_EQ(control_.ClientSize(), (Size{150, 70}));
  EXPECT_EQ(control_.PersistentImage().GetPixel(99, 49), MakeRgb(0, 255, 0));  // kept
  EXPECT_EQ(control_.WindowHandle(), reinterpret_cast<intptr_t>(control_.Handle()));
}

TEST_F(ControlWindowTest, SiteServices) {
  std::vector<std::string> changed;
  control_.SetPropertyChangedHandler([&](std::string_view n) { changed.emplace_back(n); });
  control_.PropertyChanged("Caption");
  EXPECT_EQ(changed, std::vector<std::string>{"Caption"});
  control_.SetAccessKeys("s");
  EXPECT_EQ(control_.AccessKeys(), "s");
  EXPECT_TRUE(control_.CursorPosition().has_value());
  EXPECT_FALSE(SendKeyString("{Nope}"));
  EXPECT_EQ(control_.Colors().SysColor(kColorBtnFace), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace tarvex
