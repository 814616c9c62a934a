// SSTabMain as the main window builds it: the stored properties (four property
// pages in theme 1, page 3 in front), captions set at load, pages following
// switches, and the mouse events the main window handles. With
// TARVEX_PAGETABS_SHOT=<bmp> it saves the window after load.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>

#include "host/win32/tab_window.h"

namespace tarvex {
namespace {

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int LeftIn(HWND child, HWND reference) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&r), 2);
  return r.left;
}

TEST(PageTabs, LoadsAsStoredAndFollowsTheMainWindowsCalls) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"TarvexPageTabsForm";
  RegisterClassW(&wc);
  HWND form = CreateWindowW(L"TarvexPageTabsForm", L"SSTabMain", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            60, 60, 600, 420, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(form, nullptr);
  int downs = 0, moves = 0;
  PageTabsEvents events;
  events.mouseDown = [&] { ++downs; };
  events.mouseMove = [&] { ++moves; };
  const Rect rect{8, 67, 8 + 553, 67 + 329};  // 120, 1005, 8295 x 4935 twips
  std::unique_ptr<PageTabs> tabs = CreateTabStripPageTabs(wc.hInstance, form, rect, events);
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->ActiveTab(), 3);

  HWND labels[4];
  for (int page = 0; page < 4; ++page) {
    labels[page] = CreateWindowW(L"STATIC", L"页", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, form,
                                 nullptr, wc.hInstance, nullptr);
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

  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  }
  if (const char* shot = std::getenv("TARVEX_PAGETABS_SHOT")) {
    HDC screen = GetDC(form);
    RECT rc{};
    GetClientRect(form, &rc);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, rc.right, rc.bottom, screen, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFOHEADER bih{sizeof bih, rc.right, rc.bottom, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = (rc.right * 3 + 3) & ~3;
    std::string bits(static_cast<size_t>(stride) * rc.bottom, '\0');
    GetDIBits(mem, bmp, 0, rc.bottom, bits.data(), reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS);
    BITMAPFILEHEADER bfh{0x4D42, 0, 0, 0, sizeof bfh + sizeof bih};
    bfh.bfSize = bfh.bfOffBits + static_cast<DWORD>(bits.size());
    if (FILE* f = std::fopen(shot, "wb")) {
      std::fwrite(&bfh, sizeof bfh, 1, f);
      std::fwrite(&bih, sizeof bih, 1, f);
      std::fwrite(bits.data(), 1, bits.size(), f);
      std::fclose(f);
    }
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(form, screen);
  }
  tabs.reset();
  DestroyWindow(form);
}

}  // namespace
}  // namespace tarvex
