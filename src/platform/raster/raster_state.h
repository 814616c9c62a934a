// Internal state of RasterSurface, shared by the files that implement it
// (pixels, lines, shapes, text, pictures). Not part of the platform interface.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/color.h"
#include "common/font.h"
#include "common/geometry.h"
#include "platform/raster/builtin_text_engine.h"
#include "platform/raster/raster_surface.h"

namespace tarvex {

// Rgb (red in the low byte) <-> DIB pixel (0x00RRGGBB, blue in the low byte).
constexpr uint32_t RgbToDib(Rgb c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Rgb DibToRgb(uint32_t p) {
  return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

struct RasterSurface::State {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> owned;  // empty when drawing into caller-owned pixels
  uint32_t* px = nullptr;       // width * height DIB pixels, top row first

  uint32_t penDib = 0;                   // current pen colour as a DIB pixel
  std::optional<uint32_t> brushDib;      // nullopt = hollow brush
  PenMode mode = PenMode::CopyPen;
  FontDesc font;
  Rgb textColor = 0;
  Point pos;                             // current position (MoveTo/LineTo)

  TextEngine* text = nullptr;            // not owned; nullptr = builtin
  BuiltinTextEngine builtin;

  bool Inside(int64_t x, int64_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint32_t* Row(int32_t y) { return px + static_cast<size_t>(y) * static_cast<size_t>(width); }
  // One pen pixel with the current pen mode; (x, y) must be inside.
  void PenPixel(int32_t x, int32_t y) {
    uint32_t& p = Row(y)[x];
    p = mode == PenMode::XorPen ? ((p ^ penDib) & 0xFFFFFFu) : penDib;
  }
  // A horizontal pen run x0..x1-1 on row y, clipped.
  void PenSpan(int64_t x0, int64_t x1, int64_t y);
  // A vertical pen run y0..y1 (both included) in column x, clipped.
  void PenColumn(int64_t x, int64_t y0, int64_t y1);
  // Solid fill of the clipped rectangle, ignoring the pen mode (PatBlt PATCOPY).
  void Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t dib);
  // Bresenham line from a to b, clipped; the end point only if includeEnd.
  void Line(Point a, Point b, bool includeEnd);
  void FastLine(Point a, Point b, bool includeEnd);  // both ends inside
  void UnitStepLine(Point a, Point b);  // both inside, |b.x - a.x| == 1, end included
  TextEngine& Text() { return text != nullptr ? *text : builtin; }
};

}  // namespace tarvex
