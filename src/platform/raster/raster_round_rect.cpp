// RoundRect with the current pen (outline) and brush (interior). The figure
// covers left .. right-1 by top .. bottom-1. Each corner is a quarter of the
// ellipse that fits an ellipseWidth x ellipseHeight pixel box; straight edges
// join the quarters. Corners of 2 pixels or less give a plain rectangle.
#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/raster/raster_state.h"

namespace tarvex {
namespace {

// The lower-right quarter of the ellipse in a w x h pixel box (box
// coordinates), from its rightmost point at row h/2 downwards, traced with the
// integer ellipse algorithm and stopped once x passes the box's middle column.
// Like GDI's, it has no fix-up for flat ellipses: a tall narrow quarter may
// end a row short of the box's bottom, and the straight edge then runs there.
std::vector<Point> LowerRightQuarter(int64_t w, int64_t h) {
  std::vector<Point> pts;
  const int64_t a = w - 1, b = h - 1;
  const int64_t a8 = 8 * a * a, b8 = 8 * b * b;
  int64_t dx = 4 * b * b * (1 - a);
  int64_t dy = 4 * a * a * (1 + (b % 2));
  int64_t err = dx + dy + a * a * (b % 2);
  int64_t x = a, y = h / 2;
  while (x >= w / 2) {
    pts.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y)});
    const int64_t e2 = 2 * err;
    if (e2 >= dx) {
      --x;
      err += dx += b8;
    }
    if (e2 <= dy) {
      ++y;
      err += dy += a8;
    }
  }
  return pts;
}

// The corner rows of GDI's round-rectangle region over columns [left, right):
// row i of the ellipse box (0 .. eh-1) covers [from, to). They come from the
// same ellipse trace, stepping inwards from the middle row; the top half
// mirrors the bottom half.
struct RowSpan {
  int64_t from;
  int64_t to;
};
std::vector<RowSpan> RegionCornerRows(int64_t ew, int64_t eh, int64_t left, int64_t right) {
  // rows the trace never reaches stay empty; the middle row spans everything
  std::vector<RowSpan> rows(static_cast<size_t>(eh) + 1, RowSpan{0, 0});
  rows[static_cast<size_t>(eh / 2)] = {left, right};
  const int64_t a = ew - 1, b = eh - 1;
  const int64_t a8 = 8 * a * a, b8 = 8 * b * b;
  int64_t dx = 4 * b * b * (1 - a);
  int64_t dy = 4 * a * a * (1 + (b % 2));
  int64_t err = dx + dy + a * a * (b % 2);
  int64_t x = 0, y = eh / 2;
  while (x <= ew / 2) {
    const int64_t e2 = 2 * err;
    if (e2 >= dx) {
      ++x;
      err += dx += b8;
    }
    if (e2 <= dy) {
      ++y;
      if (y <= b) rows[static_cast<size_t>(y)] = {left + x, right - x};
      err += dy += a8;
    }
  }
  for (int64_t i = 0; i < eh / 2; ++i) rows[static_cast<size_t>(i)] = rows[static_cast<size_t>(b - i)];
  rows.resize(static_cast<size_t>(eh));
  return rows;
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
  // rows yLo .. yHi-1 that can show; straight runs far off the surface are cut
  // (the interior needs only each row's outermost outline pixels).
  const int64_t yLo = std::max<int64_t>(t, 0), yHi = std::min<int64_t>(b, s.height);
  if (yLo >= yHi) return;
  std::vector<std::vector<int64_t>> rows(static_cast<size_t>(yHi - yLo));
  auto mark = [&](int64_t x, int64_t y) {
    if (y >= yLo && y < yHi) rows[static_cast<size_t>(y - yLo)].push_back(x);
  };
  auto hrun = [&](int64_t x0, int64_t x1, int64_t y) {  // inclusive, either order
    if (x0 > x1) std::swap(x0, x1);
    for (int64_t x = std::max<int64_t>(x0, -1); x <= std::min<int64_t>(x1, s.width); ++x) mark(x, y);
  };
  auto vrun = [&](int64_t x, int64_t y0, int64_t y1) {
    if (y0 > y1) std::swap(y0, y1);
    for (int64_t y = std::max(y0, yLo); y <= std::min(y1, yHi - 1); ++y) mark(x, y);
  };
  // The quarter placed in the lower right corner and mirrored into the other
  // three; the closed figure joins the quarters with straight edges.
  const std::vector<Point> quarter = LowerRightQuarter(ew, eh);
  const int64_t mirrorX = l + r - 1, mirrorY = t + b - 1;
  for (Point p : quarter) {
    const int64_t x = r - ew + p.x, y = b - eh + p.y;
    mark(x, y);
    mark(mirrorX - x, y);
    mark(x, mirrorY - y);
    mark(mirrorX - x, mirrorY - y);
  }
  if (!quarter.empty()) {
    const int64_t fx = r - ew + quarter.front().x, fy = b - eh + quarter.front().y;
    const int64_t lx = r - ew + quarter.back().x, ly = b - eh + quarter.back().y;
    vrun(fx, mirrorY - fy, fy);                  // right edge
    vrun(mirrorX - fx, mirrorY - fy, fy);        // left edge
    hrun(mirrorX - lx, lx, ly);                  // bottom edge
    hrun(mirrorX - lx, lx, mirrorY - ly);        // top edge
  }
  for (auto& row : rows) {
    std::sort(row.begin(), row.end());
    row.erase(std::unique(row.begin(), row.end()), row.end());
  }

  // Interior first, the outline over it, as GDI paints them. The interior
  // region may reach a pixel past a flat corner's outline.
  if (s.brushDib) {
    const uint32_t pen = s.penDib;
    s.penDib = *s.brushDib;
    if (ew < 2 || eh < 2) {
      for (int64_t y = std::max(t + 1, yLo); y < std::min(b - 1, yHi); ++y) s.PenSpan(l + 1, r - 1, y);
    } else {
      // region rows: eh/2 corner rows at the top, the middle band, the rest at the bottom
      const std::vector<RowSpan> corner = RegionCornerRows(ew, eh, l, r);
      for (int64_t y = yLo; y < yHi; ++y) {
        RowSpan span{l, r};  // the middle band
        if (y - t < eh / 2) span = corner[static_cast<size_t>(y - t)];
        else if (y > b - eh + eh / 2) span = corner[static_cast<size_t>(y - b + eh)];
        s.PenSpan(span.from, span.to, y);
      }
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
