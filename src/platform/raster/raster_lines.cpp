// One-pixel lines with GDI's Bresenham rule: the start point is painted, the end
// point is not (unless asked for), and ties between two candidate pixels are
// broken by the line's octant, so a shallow line drawn the other way round can
// differ by one pixel. Octants count clockwise from +x with y pointing down;
// octants 3, 5, 6 and 8 step the minor axis on a tie.
#include <algorithm>
#include <cstdlib>

#include "platform/raster/raster_state.h"

namespace tarvex {
namespace {

int Octant(int64_t dx, int64_t dy) {
  if (dy > 0) {
    if (dx > 0) return dx > dy ? 1 : 2;
    return -dx > dy ? 4 : 3;
  }
  if (dx < 0) return -dx > -dy ? 5 : 6;
  return dx > -dy ? 8 : 7;
}

}  // namespace

void RasterSurface::State::Line(Point a, Point b, bool includeEnd) {
  const int64_t dx = int64_t{b.x} - a.x;
  const int64_t dy = int64_t{b.y} - a.y;
  if (dx == 0 && dy == 0) {
    if (includeEnd && Inside(a.x, a.y)) PenPixel(a.x, a.y);
    return;
  }
  if (dx == 0) {  // a column (bars, grid): one clipped run, whatever the ends
    const int64_t end = includeEnd ? 0 : 1;
    if (dy > 0) PenColumn(a.x, a.y, int64_t{b.y} - end);
    else PenColumn(a.x, int64_t{b.y} + end, a.y);
    return;
  }
  if (Inside(a.x, a.y) && Inside(b.x, b.y)) {
    FastLine(a, b, includeEnd);
    return;
  }
  const int octant = Octant(dx, dy);
  const int64_t bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
  const bool xMajor = std::llabs(dx) > std::llabs(dy);
  const int64_t dMaj = xMajor ? std::llabs(dx) : std::llabs(dy);
  const int64_t dMin = xMajor ? std::llabs(dy) : std::llabs(dx);
  const int64_t sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int64_t sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const int64_t maj0 = xMajor ? a.x : a.y;
  const int64_t min0 = xMajor ? a.y : a.x;
  const int64_t majLimit = xMajor ? width : height;
  const int64_t minLimit = xMajor ? height : width;
  const int64_t count = dMaj + (includeEnd ? 1 : 0);

  // Steps k (0 = start point) whose major coordinate lies on the surface.
  int64_t kLo = 0;
  int64_t kHi = 0;
  if (sMaj > 0) {
    kLo = std::max<int64_t>(0, -maj0);
    kHi = std::min<int64_t>(count - 1, majLimit - 1 - maj0);
  } else {
    kLo = std::max<int64_t>(0, maj0 - (majLimit - 1));
    kHi = std::min<int64_t>(count - 1, maj0);
  }
  if (kLo > kHi) return;

  if (dMin == 0 && xMajor) {  // horizontal: one run
    int64_t x0 = maj0 + sMaj * kLo, x1 = maj0 + sMaj * kHi;
    PenSpan(std::min(x0, x1), std::max(x0, x1) + 1, min0);
    return;
  }

  // Minor offset after k steps: m_k = floor((2*dMin*k + dMaj - 1 + bias) / (2*dMaj)),
  // split so that nothing overflows for coordinates anywhere in 32 bits (at
  // k = 0, the usual case, it is 0).
  int64_t m = 0;
  int64_t err = 2 * dMin - dMaj;
  if (kLo > 0) {
    const auto p = static_cast<uint64_t>(kLo) * static_cast<uint64_t>(dMin);
    const auto q = static_cast<int64_t>(p / static_cast<uint64_t>(dMaj));
    const auto r = static_cast<int64_t>(p % static_cast<uint64_t>(dMaj));
    m = q + (2 * r + dMaj - 1 + bias) / (2 * dMaj);
    err = 2 * (r - dMaj * (m - q) + dMin) - dMaj;
  }
  const int64_t addStep = 2 * dMin - 2 * dMaj;
  const int64_t addStay = 2 * dMin;
  // The pixel walk in memory: one step along the major axis, one along the minor.
  const int64_t stride = width;
  const int64_t majStep = xMajor ? sMaj : sMaj * stride;
  const int64_t minStep = xMajor ? sMin * stride : sMin;
  int64_t mi = min0 + sMin * m;
  const int64_t ma = maj0 + sMaj * kLo;
  int64_t at = xMajor ? mi * stride + ma : ma * stride + mi;  // index of the pixel (mi, ma)
  const uint32_t pen = penDib;
  const bool xorPen = mode == PenMode::XorPen;
  // Whether the minor coordinate can leave the surface on the way: if not,
  // the loop needs no per-pixel check.
  const int64_t miEnd = min0 + sMin * dMin;
  const bool minInside = std::min(mi, miEnd) >= 0 && std::max(mi, miEnd) < minLimit;
  for (int64_t k = kLo; k <= kHi; ++k) {
    if (minInside || (mi >= 0 && mi < minLimit)) {
      if (xorPen) px[at] = (px[at] ^ pen) & 0xFFFFFFu;
      else px[at] = pen;
    }
    // branch-free step: a monitor trace turns too often for prediction
    const int64_t stepMask = -static_cast<int64_t>(err + bias > 0);
    mi += sMin & stepMask;
    at += majStep + (minStep & stepMask);
    err += addStay + ((addStep - addStay) & stepMask);
  }
}

// Line with both ends on the surface (the usual case): no clipping, small
// integers, and the octant's tie rule folded into sign tests.
void RasterSurface::State::FastLine(Point a, Point b, bool includeEnd) {
  const int32_t dx = b.x - a.x, dy = b.y - a.y;
  if (dy == 0) {  // a run along the row: start included, end only if asked
    const int32_t lo = dx > 0 ? a.x : b.x + (includeEnd ? 0 : 1);
    const int32_t hi = dx > 0 ? b.x + (includeEnd ? 1 : 0) : a.x + 1;
    PenSpan(lo, hi, a.y);
    return;
  }
  const int32_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx > ady;
  // octants 3, 5, 6 and 8 (see Octant) step on a tie
  const int32_t bias = (dy <= 0 && dx < 0) | (dy > 0 && dx <= 0 && !xMajor) |
                       (dy <= 0 && dx >= 0 && xMajor);
  const int32_t dMaj = xMajor ? adx : ady, dMin = xMajor ? ady : adx;
  const int32_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -width : width;
  const int32_t majStep = xMajor ? sx : sy, minStep = xMajor ? sy : sx;
  const int32_t addStay = 2 * dMin, addDiff = -2 * dMaj;
  int32_t err = 2 * dMin - dMaj;
  int32_t at = a.y * width + a.x;
  const int32_t count = dMaj + (includeEnd ? 1 : 0);
  const uint32_t pen = penDib;
  uint32_t* const p = px;
  if (mode == PenMode::XorPen) {
    for (int32_t k = 0; k < count; ++k) {
      p[at] = (p[at] ^ pen) & 0xFFFFFFu;
      const int32_t stepMask = -static_cast<int32_t>(err + bias > 0);
      at += majStep + (minStep & stepMask);
      err += addStay + (addDiff & stepMask);
    }
  } else {
    for (int32_t k = 0; k < count; ++k) {
      p[at] = pen;
      const int32_t stepMask = -static_cast<int32_t>(err + bias > 0);
      at += majStep + (minStep & stepMask);
      err += addStay + (addDiff & stepMask);
    }
  }
}

void RasterSurface::MoveTo(int32_t x, int32_t y) { s_->pos = {x, y}; }

void RasterSurface::LineTo(int32_t x, int32_t y) {
  s_->Line(s_->pos, {x, y}, false);
  s_->pos = {x, y};
}

void RasterSurface::LineToInclusive(int32_t x, int32_t y) {
  s_->Line(s_->pos, {x, y}, true);
  s_->pos = {x, y};
}

// A line one column across, end included, both ends on the surface: the
// monitor's segment between two neighbouring samples. The walk above, solved:
// a horizontal one is its two ends; otherwise y is the major axis, x steps
// once, after pixel k = (|dy| - bias) / 2 (bias 1 when x runs left), so it is
// two column runs.
void RasterSurface::State::UnitStepLine(Point a, Point b) {
  const int32_t dy = b.y - a.y;
  if (dy == 0) {
    PenPixel(a.x, a.y);
    PenPixel(b.x, b.y);
    return;
  }
  const int32_t sy = dy < 0 ? -1 : 1;
  const int32_t k = (dy * sy - (b.x < a.x ? 1 : 0)) / 2;
  for (int32_t j = 0, y = a.y; j <= k; ++j, y += sy) PenPixel(a.x, y);
  for (int32_t y = a.y + sy * (k + 1); y != b.y + sy; y += sy) PenPixel(b.x, y);
}

// The monitor's series in one call: no per-segment dispatch; a segment with
// both ends on the surface skips clipping, and one column across is two runs.
void RasterSurface::PolylineInclusive(std::span<const Point> points) {
  if (points.empty()) return;
  State& s = *s_;
  Point from = points[0];
  bool fromInside = s.Inside(from.x, from.y);
  for (const Point& to : points.subspan(1)) {
    const bool toInside = s.Inside(to.x, to.y);
    const int32_t dx = to.x - from.x;
    if (!fromInside || !toInside || dx == 0) s.Line(from, to, true);
    else if (dx == 1 || dx == -1) s.UnitStepLine(from, to);
    else s.FastLine(from, to, true);
    from = to;
    fromInside = toInside;
  }
  s.pos = from;
}

Point RasterSurface::CurrentPosition() const { return s_->pos; }

}  // namespace tarvex
