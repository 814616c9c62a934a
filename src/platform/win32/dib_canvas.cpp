// The DIB section + raster + GDI text bundle (see dib_canvas.h).
#include "platform/win32/dib_canvas.h"

#include <algorithm>
#include <cstring>

namespace tarvex {
namespace {

// A DIB section needs at least one pixel; a 0 x 0 canvas keeps a 1 x 1 one.
UniqueBitmap MakeDib(HDC dc, int32_t width, int32_t height, uint32_t** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = std::max(1, width);
  bi.bmiHeader.biHeight = -std::max(1, height);  // top-down: row 0 first
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  UniqueBitmap bmp(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0));
  *bits = bmp ? static_cast<uint32_t*>(p) : nullptr;
  return bmp;
}

}  // namespace

DibCanvas::DibCanvas(int32_t width, int32_t height)
    : dc_(CreateMemoryDc(nullptr)), text_(dc_.Get()), raster_(0, 0, nullptr, &text_) {
  Resize(width, height);
}

DibCanvas::~DibCanvas() {
  raster_.Attach(0, 0, nullptr);
  if (oldBitmap_ != nullptr) SelectObject(dc_.Get(), oldBitmap_);
}

void DibCanvas::Resize(int32_t width, int32_t height, Rgb fill) {
  width = std::max(0, width);
  height = std::max(0, height);
  uint32_t* bits = nullptr;
  UniqueBitmap next = MakeDib(dc_.Get(), width, height, &bits);
  if (!next || bits == nullptr) return;  // out of GDI memory: keep the old image
  const uint32_t fillDib = ((fill & 0xFFu) << 16) | (fill & 0xFF00u) | ((fill >> 16) & 0xFFu);
  std::fill(bits, bits + static_cast<size_t>(std::max(1, width)) * std::max(1, height), fillDib);
  GdiFlush();
  if (bits_ != nullptr) {
    const int32_t w = std::min(width, width_), h = std::min(height, height_);
    for (int32_t y = 0; y < h; ++y)
      std::memcpy(bits + static_cast<size_t>(y) * width, bits_ + static_cast<size_t>(y) * width_,
                  static_cast<size_t>(w) * sizeof(uint32_t));
  }
  HGDIOBJ old = SelectObject(dc_.Get(), next.Get());
  if (oldBitmap_ == nullptr) oldBitmap_ = old;
  dib_ = std::move(next);  // the previous DIB is deselected: delete it
  bits_ = bits;
  width_ = width;
  height_ = height;
  raster_.Attach(width, height, bits);
}

void DibCanvas::BlitTo(HDC target, const RECT& area) const {
  GdiFlush();
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.Get(),
         area.left, area.top, SRCCOPY);
}

}  // namespace tarvex
