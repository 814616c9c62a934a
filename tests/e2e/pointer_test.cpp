// The main window under the real pointer (SendInput): the links turn red under
// it; labels on a page take the pointer themselves, so only the page (the tab
// control) and the window's background reset the links and drag the window.
#include <gtest/gtest.h>

#include <vector>

#include "tarvex_app.h"
#include "tarvex_version.h"
#include "win/support/real_input.h"

namespace tarvex::e2e {
namespace {

// Screen pixels of `hwnd` that are clearly red, and clearly blue.
struct Tint {
  int red = 0;
  int blue = 0;
};

Tint TintOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  const std::vector<uint32_t> px = ScreenPixels(r);
  Tint t;
  for (uint32_t p : px) {
    const int red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF, blue = p & 0xFF;
    if (green > 100) continue;
    if (red >= 150 && blue <= 100) ++t.red;
    if (blue >= 150 && red <= 100) ++t.blue;
  }
  return t;
}

POINT Centre(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return {r.right / 2, r.bottom / 2};
}

// Presses the left button at (x, y) of `hwnd`, moves 40 pixels right and down
// and lets go; whether the main window moved.
bool DragMovesTheWindow(const TarvexApp& app, HWND hwnd, int x, int y) {
  RECT before{};
  GetWindowRect(app.Main(), &before);
  // Each step waits until the system has taken the input before the next.
  auto leftIs = [](bool down) {
    return WaitUntil([&] { return ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) == down; }, 2s);
  };
  EXPECT_TRUE(input::MoveTo(hwnd, x, y));
  input::LeftDown();
  EXPECT_TRUE(leftIs(true));
  EXPECT_TRUE(input::MoveTo(hwnd, x + 20, y + 20));
  input::MoveTo(hwnd, x + 40, y + 40);
  const bool moved = WaitUntil([&] {
    RECT now{};
    GetWindowRect(app.Main(), &now);
    return !EqualRect(&now, &before);
  }, 1500ms);
  input::LeftUp();
  EXPECT_TRUE(leftIs(false));
  return moved;
}

TEST(Pointer, LabelsAreNoHolesInThePage) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(BringToForeground(app.Main()));
  HWND help = FindDescendantByText(app.Main(), L"需要帮助？");
  HWND version = FindDescendantByText(app.Main(), L"Version:" TARVEX_VERSION_STRING);
  HWND tab = app.Control(id::kTabMain);
  ASSERT_TRUE(help && version && tab);

  const POINT link = Centre(help);
  ASSERT_TRUE(input::MoveTo(help, link.x, link.y));
  ASSERT_TRUE(WaitUntil([&] { const Tint t = TintOf(help); return t.red > 0 && t.blue == 0; }, 5s))
      << "the link did not turn red under the pointer";
  // From the link onto a label: the label keeps the pointer, the link stays red.
  const POINT label = Centre(version);
  ASSERT_TRUE(input::MoveTo(version, label.x, label.y));
  // The link keeping its colour is the result: watch it over a bound.
  EXPECT_FALSE(WaitUntil([&] { return TintOf(help).blue > 0; }, 1s)) << "the link turned blue over a label";
  EXPECT_GT(TintOf(help).red, 0);
  EXPECT_EQ(TintOf(help).blue, 0);
  EXPECT_FALSE(DragMovesTheWindow(app, version, label.x, label.y)) << "a press on a label dragged the window";

  // The page itself, away from its controls, resets the link and drags.
  EXPECT_TRUE(input::MoveTo(tab, 540, 315));
  EXPECT_TRUE(WaitUntil([&] { const Tint t = TintOf(help); return t.blue > 0 && t.red == 0; }, 5s));
  EXPECT_TRUE(DragMovesTheWindow(app, tab, 530, 280));
}

}  // namespace
}  // namespace tarvex::e2e
