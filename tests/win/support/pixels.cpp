// Screen capture, the pixel assertion and the BMP writer of the Windows-side tests.
#include "win/support/pixels.h"

#include <cstdio>
#include <fstream>

#include "platform/win32/dib_canvas.h"

namespace tarvex {
namespace {

uint32_t FromColorref(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// Copies `w` x `h` pixels of `source` from (x, y) into a top-down 32-bit image.
Capture CopyFrom(HDC source, int x, int y, int w, int h) {
  Capture out;
  if (w <= 0 || h <= 0) return out;
  DibCanvas canvas(w, h);
  BitBlt(canvas.Dc(), 0, 0, w, h, source, x, y, SRCCOPY);
  GdiFlush();
  const uint32_t* p = canvas.Surface().Data();
  out.width = w;
  out.height = h;
  out.pixels.assign(p, p + static_cast<size_t>(w) * h);
  for (uint32_t& px : out.pixels) px &= 0xFFFFFFu;
  return out;
}

}  // namespace

Capture CaptureScreen(const RECT& r) {
  HDC screen = GetDC(nullptr);
  Capture out = CopyFrom(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
  ReleaseDC(nullptr, screen);
  return out;
}

Capture CaptureClient(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  HDC dc = GetDC(hwnd);
  Capture out = CopyFrom(dc, 0, 0, rc.right, rc.bottom);
  ReleaseDC(hwnd, dc);
  return out;
}

bool SaveBmp(const std::filesystem::path& file, const uint32_t* pixels, int32_t width, int32_t height) {
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  const DWORD bytes = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  fh.bfType = 0x4D42;  // "BM"
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + bytes;
  ih.biSize = sizeof ih;
  ih.biWidth = width;
  ih.biHeight = -height;  // top-down
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  ih.biCompression = BI_RGB;
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
  out.write(reinterpret_cast<const char*>(pixels), static_cast<std::streamsize>(bytes));
  out.close();
  return !out.fail();
}

std::string PixelMismatch(uint32_t e, uint32_t g, int32_t x, int32_t y) {
  char msg[160];
  std::snprintf(msg, sizeof msg, "expected RGB(%u,%u,%u) got RGB(%u,%u,%u) at (%d, %d)", (e >> 16) & 0xFF,
                (e >> 8) & 0xFF, e & 0xFF, (g >> 16) & 0xFF, (g >> 8) & 0xFF, g & 0xFF, x, y);
  return msg;
}

testing::AssertionResult ShowsPixel(HWND hwnd, int x, int y, COLORREF expected) {
  HDC dc = GetDC(hwnd);
  const COLORREF got = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  if (got == expected) return testing::AssertionSuccess();
  return testing::AssertionFailure() << PixelMismatch(FromColorref(expected), FromColorref(got), x, y);
}

}  // namespace tarvex
