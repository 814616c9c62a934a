// SSTabMain as the main window builds it: the stored properties (four property
// pages in theme 1, page 3 in front), captions set at load, pages following
// switches, the mouse events the main window handles, and a set-up made while
// the form is hidden. With
// TARVEX_PAGETABS_SHOT=<bmp> it saves the window after load.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <numeric>

#include "host/win32/tab_window.h"
#include "win/support/host_window.h"
#include "win/support/pixels.h"

namespace tarvex {
namespace {

int LeftIn(HWND child, HWND reference) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&r), 2);
  return r.left;
}

TEST(PageTabs, LoadsAsStoredAndFollowsTheMainWindowsCalls) {
  HostWindow host(L"SSTabMain", 60, 60, 584, 382, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  const HWND form = host.Handle();
  ASSERT_NE(form, nullptr);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  int downs = 0, moves = 0;
  PageTabsEvents events;
  events.mouseDown = [&] { ++downs; };
  events.mouseMove = [&] { ++moves; };
  const Rect rect{8, 67, 8 + 553, 67 + 329};  // 120, 1005, 8295 x 4935 twips
  std::unique_ptr<PageTabs> tabs = CreateTabStripPageTabs(instance, form, 1, rect, events);
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->ActiveTab(), 3);

  HWND labels[4];
  for (int page = 0; page < 4; ++page) {
    labels[page] = CreateWindowW(L"STATIC", L"页", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, form,
                                 nullptr, instance, nullptr);
    tabs->AddToPage(page, labels[page], Rect{30, 50, 130, 70});
  }
  tabs->CopyTabImagesFromImageList();  // no bitmaps in this program: stops quietly
  const char* captions[] = {" 状态 ", " 软件设置 ", " 加速记录 ", " 关于软件 "};
  for (int i = 0; i < 4; ++i) tabs->SetTabCaption(i, captions[i]);
  tabs->SetActiveTabHeight(25);
  EXPECT_EQ(LeftIn(labels[3], tabs->Handle()), 30);
  EXPECT_GT(LeftIn(labels[0], tabs->Handle()), rect.Width());

  tabs->SetActiveTab(1);
  EXPECT_EQ(LeftIn(labels[1], tabs->Handle()), 30);
  EXPECT_LT(LeftIn(labels[3], tabs->Handle()) + 100, 0);

  SendMessageW(tabs->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 200));
  SendMessageW(tabs->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 200));
  SendMessageW(tabs->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(200, 200));
  EXPECT_EQ(downs, 1);
  EXPECT_GE(moves, 1);

  if (const char* shot = std::getenv("TARVEX_PAGETABS_SHOT")) {
    PumpFor(100);  // the switch's paints
    EXPECT_TRUE(SaveBmp(shot, CaptureClient(form)));
  }
  tabs.reset();
}

// Set up while its form is hidden, the strip does not paint until the form
// shows; then it shows what it would have shown had it been on screen all along.
TEST(PageTabs, WhatIsSetWhileTheFormIsHiddenIsPaintedWhenItShows) {
  const auto build = [](DWORD visible) {
    HostWindow host(L"SSTabMain", 60, 60, 584, 382, WS_OVERLAPPEDWINDOW | visible);
    std::unique_ptr<PageTabs> tabs =
        CreateTabStripPageTabs(GetModuleHandleW(nullptr), host.Handle(), 1, Rect{8, 67, 561, 396}, {});
    if (!tabs) return Capture{};
    const char* captions[] = {" 状态 ", " 软件设置 ", " 加速记录 ", " 关于软件 "};
    for (int i = 0; i < 4; ++i) tabs->SetTabCaption(i, captions[i]);
    tabs->SetActiveTabHeight(25);
    tabs->SetActiveTab(1);
    ShowWindow(host.Handle(), SW_SHOWNA);  // not activated: no repaint for the focus
    UpdateWindow(host.Handle());
    PumpFor(100);
    return CaptureClient(tabs->Handle());
  };
  const Capture alongTheWay = build(WS_VISIBLE);
  const Capture atTheShow = build(0);
  ASSERT_GT(alongTheWay.width, 0);
  ASSERT_EQ(atTheShow.width, alongTheWay.width);
  ASSERT_EQ(atTheShow.height, alongTheWay.height);
  const auto differing = std::inner_product(atTheShow.pixels.begin(), atTheShow.pixels.end(),
                                            alongTheWay.pixels.begin(), 0, std::plus<>(), std::not_equal_to<>());
  EXPECT_EQ(differing, 0) << "pixels differ from the strip painted along the way";
}

}  // namespace
}  // namespace tarvex
