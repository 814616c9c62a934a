// The main window's own pixels: the top strip picture, the back colour around
// the tab control and a one-pixel frame (the window has no system border), and
// the colours of labels, links and legend squares.
#include "main_window.h"
#include "app/main_window_layout.h"

namespace tarvex {

void MainWindow::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, formBrush_.Get());
  if (strip_) {
    const UniqueMemoryDc memory = CreateMemoryDc(dc);
    const UniqueSelection picture = SelectInto(memory.Get(), strip_.Get());
    BitBlt(dc, 0, 0, layout::kStrip.Width(), layout::kStrip.Height(), memory.Get(), 0, 0, SRCCOPY);
  }
  const UniqueBrush frame(CreateSolidBrush(RGB(0x3A, 0x5F, 0x9E)));
  FrameRect(dc, &client, frame.Get());
}

HBRUSH MainWindow::ControlColor(HDC dc, HWND control) {
  for (size_t i = 0; i < legend_.size(); ++i) {
    if (control == legend_[i]) return legendBrushes_[i].Get();  // an empty label filled with its colour
  }
  SetBkMode(dc, TRANSPARENT);
  if (control == home_.hwnd || control == help_.hwnd) {
    SetTextColor(dc, (control == home_.hwnd ? home_ : help_).color);
  } else {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  }
  // Page controls lie on the tab control's back colour; the hide and exit
  // buttons are not static, so every static here is on a page.
  SetBkColor(dc, RGB(0xFB, 0xFD, 0xFB));
  return pageBrush_.Get();
}

}  // namespace tarvex
