// Pixels as the Windows-side tests see them: what a window shows, one way to
// assert a pixel ("expected RGB(..) got RGB(..) at (x, y)") and the one BMP
// writer every test that saves a picture uses. Pixels are 0x00RRGGBB, rows
// top-down, like the raster's.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvex {

struct Capture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFFu; }
};

// The screen inside `screenRect` (screen coordinates), as shown now.
Capture CaptureScreen(const RECT& screenRect);
// The client area of `hwnd`, as shown now.
Capture CaptureClient(HWND hwnd);

// Writes 32-bit top-down pixels as a BMP file; false when it cannot be written.
bool SaveBmp(const std::filesystem::path& file, const uint32_t* pixels, int32_t width, int32_t height);
inline bool SaveBmp(const std::filesystem::path& file, const Capture& c) {
  return SaveBmp(file, c.pixels.data(), c.width, c.height);
}

// "expected RGB(r,g,b) got RGB(r,g,b) at (x, y)" for 0x00RRGGBB colours.
std::string PixelMismatch(uint32_t expected, uint32_t got, int32_t x, int32_t y);

// The pixel of `hwnd`'s client area at (x, y) on screen is `expected`.
testing::AssertionResult ShowsPixel(HWND hwnd, int x, int y, COLORREF expected);

}  // namespace tarvex
