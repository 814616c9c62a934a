// Points, sizes and rectangles in pixels of a control's surface (or twips where a
// name says so). Plain integers, the Win32 RECT layout; no OS header.
#pragma once

#include <cstdint>

namespace tarvex {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Left/top inclusive, right/bottom exclusive for fills; a line drawn to
// (right, y) leaves the end point unpainted.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  constexpr int32_t Width() const { return right - left; }
  constexpr int32_t Height() const { return bottom - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  // PtInRect semantics: right and bottom edges are outside.
  constexpr bool Contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline constexpr int32_t kTwipsPerPixel = 15;  // at 96 dpi

}  // namespace tarvex
