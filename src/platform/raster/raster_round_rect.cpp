// RoundRect with the current pen (outline) and brush (interior). The figure
// covers left .. right-1 by top .. bottom-1. Each corner is a quarter of the
// ellipse that fits an ellipseWidth x ellipseHeight pixel box, traced with the
// integer ellipse-in-a-rectangle algorithm; straight edges join the quarters.
#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/raster/raster_state.h"

namespace tarvex {
namespace {

// Pixels of the ellipse inscribed in the box (0, 0) .. (w-1, h-1), w, h >= 1.
std::vector<Point> EllipseInBox(int32_t w, int32_t h) {
  std::vector<Point> pts;
  int64_t a = w - 1, b = h - 1, b1 = b & 1;
  int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
  int64_t err = dx + dy + b1 * a * a;
  int64_t x0 = 0, x1 = a, y0 = (b + 1) / 2, y1 = y0 - b1;
  const int64_t a8 = 8 * a * a, b8 = 8 * b * b;
  auto put = [&pts](int64_t x, int64_t y) {
    pts.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y)});
  };
  do {
    put(x1, y0);
    put(x0, y0);
    put(x0, y1);
    put(x1, y1);
    int64_t e2 = 2 * err;
    if (e2 <= dy) {
      ++y0;
      --y1;
      err += dy += a8;
    }
    if (e2 >= dx || 2 * err > dy) {
      ++x0;
      --x1;
      err += dx += b8;
    }
  } while (x0 <= x1);
  while (y0 - y1 < b) {  // flat ellipses stop early: finish the tips
    put(x0 - 1, y0);
    put(x1 + 1, y0++);
    put(x0 - 1, y1);
    put(x1 + 1, y1--);
  }
  return pts;
}

}  // namespace

void RasterSurface::RoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom,
                              int32_t ellipseWidth, int32_t ellipseHeight) {
  State& s = *s_;
  int64_t l = left, t = top, r = right, b = bottom;
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  if (l == r || t == b) return;
  const int64_t w = r - l, h = b - t;
  int64_t ew = std::min<int64_t>(w, std::llabs(int64_t{ellipseWidth}));
  int64_t eh = std::min<int64_t>(h, std::llabs(int64_t{ellipseHeight}));
  if (ew <= 2 || eh <= 2) ew = eh = 1;  // too small to round: a plain rectangle
  // Corners beyond any screen would only cost time; keep them bounded.
  constexpr int64_t kMaxCorner = 1 << 15;
  ew = std::min(ew, kMaxCorner);
  eh = std::min(eh, kMaxCorner);

  // Outline as per-row pixel lists in surface coordinates, kept only for the
  // rows yLo .. yHi-1 that can show; columns far off the surface are dropped
  // from the straight runs (the interior needs only the row's outermost ones).
  const int64_t yLo = std::max<int64_t>(t, 0), yHi = std::min<int64_t>(b, s.height);
  if (yLo >= yHi) return;
  std::vector<std::vector<int64_t>> rows(static_cast<size_t>(yHi - yLo));
  auto mark = [&](int64_t x, int64_t y) {
    if (y >= yLo && y < yHi) rows[static_cast<size_t>(y - yLo)].push_back(x);
  };
  // Split point: ellipse columns u < ew/2 stay at the left, the rest move so
  // that column ew-1 lands on r-1; likewise rows.
  const int64_t shiftX = w - ew, shiftY = h - eh;
  for (Point p : EllipseInBox(static_cast<int32_t>(ew), static_cast<int32_t>(eh))) {
    int64_t x = l + p.x + (p.x >= ew / 2 ? shiftX : 0);
    int64_t y = t + p.y + (p.y >= eh / 2 ? shiftY : 0);
    mark(x, y);
  }
  for (int64_t x = std::max<int64_t>(l + ew / 2, -1);
       x < std::min<int64_t>(l + ew / 2 + shiftX, int64_t{s.width} + 1); ++x) {
    mark(x, t);
    mark(x, b - 1);
  }
  for (int64_t y = std::max(t + eh / 2, yLo); y < std::min(t + eh / 2 + shiftY, yHi); ++y) {
    mark(l, y);
    mark(r - 1, y);
  }
  for (auto& row : rows) {
    std::sort(row.begin(), row.end());
    row.erase(std::unique(row.begin(), row.end()), row.end());
  }

  // Interior first (between the outermost outline pixels of each row), then
  // the outline, as GDI paints them.
  if (s.brushDib) {
    const uint32_t pen = s.penDib;
    s.penDib = *s.brushDib;
    for (size_t i = 0; i < rows.size(); ++i) {
      int64_t y = yLo + static_cast<int64_t>(i);
      if (y == t || y == b - 1 || rows[i].size() < 2) continue;
      // inner edges: the last pixel of the left run, the first of the right run
      size_t k = 0;
      while (k + 1 < rows[i].size() && rows[i][k + 1] == rows[i][k] + 1) ++k;
      const int64_t lo = rows[i][k];
      size_t j = rows[i].size() - 1;
      while (j > k + 1 && rows[i][j - 1] == rows[i][j] - 1) --j;
      const int64_t hi = rows[i][j];
      if (j > k) s.PenSpan(lo + 1, hi, y);
    }
    s.penDib = pen;
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    int64_t y = yLo + static_cast<int64_t>(i);
    for (int64_t x : rows[i])
      if (s.Inside(x, y)) s.PenPixel(static_cast<int32_t>(x), static_cast<int32_t>(y));
  }
}

}  // namespace tarvex
