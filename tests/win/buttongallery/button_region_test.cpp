// The button's window shape under real GDI: the corner cuts of types 3 and 4
// become a window region with exactly those pixels outside it.
#include <gtest/gtest.h>

#include "platform/win32/window_region_win32.h"
#include "button/command_layout.h"

namespace tarvex {
namespace {

class RegionWindow : public ::testing::Test {
 protected:
  HWND window = nullptr;
  void SetUp() override {
    window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 81, 25, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (window) DestroyWindow(window);
  }
  // The points of the window's current region, as a W x H mask.
  std::vector<bool> Mask() {
    std::vector<bool> inside(81 * 25, false);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(window, probe);
    EXPECT_NE(kind, ERROR);
    for (int y = 0; y < 25; ++y) {
      for (int x = 0; x < 81; ++x) inside[y * 81 + x] = PtInRegion(probe, x, y) != 0;
    }
    DeleteObject(probe);
    return inside;
  }
};

TEST_F(RegionWindow, CutCornersLeaveThreePixelsOutEachCorner) {
  const WindowShape shape = CommandWindowShape(3, 81, 25);
  ASSERT_TRUE(SetWindowRegion(window, CreateRegionWithCuts(shape.size, shape.cuts), false));
  const std::vector<bool> inside = Mask();
  int outside = 0;
  for (bool in : inside) outside += in ? 0 : 1;
  EXPECT_EQ(outside, 12);
  for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {80, 0}, {79, 0}, {80, 1}, {0, 24}, {1, 24},
                      {0, 23}, {80, 24}, {79, 24}, {80, 23}}) {
    EXPECT_FALSE(inside[y * 81 + x]) << x << ", " << y;
  }
  EXPECT_TRUE(inside[1 * 81 + 1]);
  EXPECT_TRUE(inside[0 * 81 + 2]);
  EXPECT_TRUE(inside[2 * 81 + 0]);
}

TEST_F(RegionWindow, RectangularTypesKeepEveryPixel) {
  const WindowShape shape = CommandWindowShape(1, 81, 25);
  ASSERT_TRUE(SetWindowRegion(window, CreateRegionWithCuts(shape.size, shape.cuts), false));
  const std::vector<bool> inside = Mask();
  for (bool in : inside) ASSERT_TRUE(in);
}

}  // namespace
}  // namespace tarvex
