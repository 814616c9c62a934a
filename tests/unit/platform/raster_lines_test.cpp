// The raster's line rule: start painted, end left out, GDI's tie-breaking per
// octant, clipping at every edge, XOR pen round trip.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "platform/raster/raster_surface.h"
#include "support/gtest_printers.h"

namespace tarvex {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kRed = MakeRgb(255, 0, 0);

using PixelSet = std::set<std::pair<int, int>>;

PixelSet Painted(const RasterSurface& s, Rgb background = kWhite) {
  PixelSet out;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.At(x, y) != background) out.insert({x, y});
  return out;
}

PixelSet Line(int x1, int y1, int x2, int y2, bool inclusive = false, int w = 32, int h = 32) {
  RasterSurface s(w, h);
  s.SetPen(kRed);
  s.MoveTo(x1, y1);
  if (inclusive) s.LineToInclusive(x2, y2);
  else s.LineTo(x2, y2);
  return Painted(s);
}

TEST(RasterLine, HorizontalPaintsStartUpToEndMinusOne) {
  PixelSet expected;
  for (int x = 3; x < 9; ++x) expected.insert({x, 4});
  EXPECT_EQ(Line(3, 4, 9, 4), expected);
  // drawn right to left: the start (9) is painted, the end (3) is not
  PixelSet reversed;
  for (int x = 4; x <= 9; ++x) reversed.insert({x, 4});
  EXPECT_EQ(Line(9, 4, 3, 4), reversed);
}

TEST(RasterLine, ZeroLengthPaintsNothingUnlessInclusive) {
  EXPECT_TRUE(Line(5, 5, 5, 5).empty());
  EXPECT_EQ(Line(5, 5, 5, 5, true), (PixelSet{{5, 5}}));
}

TEST(RasterLine, EightDirectionsLeaveOutOnlyTheEndPoint) {
  const int c = 15;
  const std::pair<int, int> ends[] = {{25, 15}, {25, 25}, {15, 25}, {5, 25},
                                      {5, 15},  {5, 5},   {15, 5},  {25, 5}};
  for (auto [ex, ey] : ends) {
    PixelSet open = Line(c, c, ex, ey);
    PixelSet closed = Line(c, c, ex, ey, true);
    SCOPED_TRACE(testing::Message() << "to (" << ex << "," << ey << ")");
    EXPECT_EQ(open.size(), 10u);
    EXPECT_TRUE(open.count({c, c}));
    EXPECT_FALSE(open.count({ex, ey}));
    PixelSet withEnd = open;
    withEnd.insert({ex, ey});
    EXPECT_EQ(closed, withEnd);
    // straight and diagonal lines step exactly one pixel per column/row
    int sx = (ex > c) - (ex < c), sy = (ey > c) - (ey < c);
    for (int k = 0; k < 10; ++k) EXPECT_TRUE(open.count({c + sx * k, c + sy * k})) << k;
  }
}

TEST(RasterLine, ShallowSlopeTiesAndDirection) {
  // (2,2)->(12,5): y = 2 + 0.3 k; the tie at x = 7 (y 3.5) keeps the row.
  PixelSet forward{{2, 2}, {3, 2}, {4, 3}, {5, 3}, {6, 3}, {7, 3},
                   {8, 4}, {9, 4}, {10, 4}, {11, 5}};
  EXPECT_EQ(Line(2, 2, 12, 5), forward);
  // Drawn the other way the start column moves to the other end; the octant
  // bias makes the tie at x = 7 step, so the pixels in between are the same.
  PixelSet backward = forward;
  backward.erase({2, 2});
  backward.insert({12, 5});
  EXPECT_EQ(Line(12, 5, 2, 2), backward);
  // ties every other column: (2,2)->(12,7), y = 2 + 0.5 k
  PixelSet half = Line(2, 2, 12, 7);
  for (int k = 0; k < 10; ++k) EXPECT_TRUE(half.count({2 + k, 2 + k / 2})) << k;
  PixelSet halfBack = Line(12, 7, 2, 2);
  for (int k = 0; k < 10; ++k) EXPECT_TRUE(halfBack.count({12 - k, 7 - (k + 1) / 2})) << k;
}

TEST(RasterLine, SteepSlopesStepOnePixelPerRow) {
  for (auto [x2, y2] : {std::pair{9, 20}, {1, 20}, {9, 0}, {1, 0}}) {
    PixelSet p = Line(5, 10, x2, y2);
    EXPECT_EQ(p.size(), 10u);
    std::set<int> rows;
    for (auto [x, y] : p) rows.insert(y);
    EXPECT_EQ(rows.size(), 10u) << x2 << "," << y2;
  }
}

TEST(RasterLine, ClippedAtEveryEdgeLikeTheUnclippedLine) {
  // A line crossing the whole surface equals the visible part of the same
  // line drawn on a larger surface.
  const int lines[][4] = {{-7, 3, 40, 11}, {30, -9, 2, 45}, {-100, -37, 150, 60},
                          {40, 20, -5, 2}, {5, 40, 6, -40}, {-3, 16, 50, 16}};
  for (auto& l : lines) {
    RasterSurface big(400, 400);
    big.SetPen(kRed);
    big.MoveTo(l[0] + 200, l[1] + 200);
    big.LineTo(l[2] + 200, l[3] + 200);
    PixelSet expected;
    for (auto [x, y] : Painted(big))
      if (x >= 200 && x < 232 && y >= 200 && y < 232) expected.insert({x - 200, y - 200});
    EXPECT_EQ(Line(l[0], l[1], l[2], l[3]), expected) << l[0] << "," << l[1];
  }
}

TEST(RasterLine, ExtremeCoordinatesDoNotOverflow) {
  RasterSurface s(16, 16);
  s.SetPen(kRed);
  s.MoveTo(INT32_MIN, INT32_MIN);
  s.LineTo(INT32_MAX, INT32_MAX);
  // the diagonal through the whole plane passes (x, x)
  for (int i = 0; i < 16; ++i) EXPECT_EQ(s.At(i, i), kRed) << i;
  s.MoveTo(INT32_MAX, 3);
  s.LineTo(INT32_MIN, 3);
  EXPECT_EQ(s.At(0, 3), kRed);
  EXPECT_EQ(s.At(15, 3), kRed);
}

TEST(RasterLine, CurrentPositionFollowsLineTo) {
  RasterSurface s(10, 10);
  s.MoveTo(1, 2);
  EXPECT_EQ(s.CurrentPosition(), (Point{1, 2}));
  s.LineTo(7, 3);
  EXPECT_EQ(s.CurrentPosition(), (Point{7, 3}));
  s.LineToInclusive(-4, 30);
  EXPECT_EQ(s.CurrentPosition(), (Point{-4, 30}));
}

TEST(RasterLine, XorPenTwiceRestoresAndCopyPenOverwrites) {
  RasterSurface s(20, 20);
  s.Clear(MakeRgb(10, 200, 30));
  s.FillRect({5, 0, 10, 20}, MakeRgb(90, 80, 70));
  RasterSurface before(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) before.SetPixel(x, y, s.At(x, y));
  s.SetPen(MakeRgb(0xF0, 0x0F, 0x55));
  s.SetPenMode(PenMode::XorPen);
  EXPECT_EQ(s.GetPenMode(), PenMode::XorPen);
  s.MoveTo(0, 3);
  s.LineTo(19, 17);
  EXPECT_EQ(s.At(0, 3), MakeRgb(10 ^ 0xF0, 200 ^ 0x0F, 30 ^ 0x55));
  s.MoveTo(0, 3);
  s.LineTo(19, 17);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(s.At(x, y), before.At(x, y)) << x << "," << y;
  s.SetPenMode(PenMode::CopyPen);
  s.MoveTo(0, 3);
  s.LineTo(19, 3);
  EXPECT_EQ(s.At(7, 3), MakeRgb(0xF0, 0x0F, 0x55));
}

// The batched polyline (a monitor series) and the column runs against the
// segment-by-segment walk: neighbouring columns with every rise, wider and
// vertical steps, ends off every edge, under both pen modes.
TEST(RasterLine, PolylineAndColumnsPaintWhatTheirSegmentsPaint) {
  uint32_t seed = 99;
  auto next = [&seed](int lo, int hi) {
    seed = seed * 1664525u + 1013904223u;
    return lo + static_cast<int>((seed >> 8) % static_cast<uint32_t>(hi - lo + 1));
  };
  for (int round = 0; round < 60; ++round) {
    std::vector<Point> points{{next(-3, 5), next(-8, 40)}};
    for (int i = 0; i < 40; ++i) {
      const int kind = next(0, 9);
      const int dx = kind < 6 ? 1 : kind < 7 ? -1 : kind < 8 ? 0 : next(-4, 4);
      points.push_back({points.back().x + dx, next(-10, 42)});
    }
    for (PenMode mode : {PenMode::CopyPen, PenMode::XorPen}) {
      RasterSurface batched(30, 32), single(30, 32);
      for (RasterSurface* s : {&batched, &single}) {
        s->Clear(MakeRgb(20, 40, 60));
        s->SetPen(MakeRgb(0xF0, 0x0F, 0x55));
        s->SetPenMode(mode);
      }
      batched.PolylineInclusive(points);
      single.MoveTo(points[0].x, points[0].y);
      for (size_t i = 1; i < points.size(); ++i) {
        const Point from = points[i - 1], to = points[i];
        if (to.x == from.x) {
          // the column run against the general walk: one pixel at a time
          for (int y = from.y; y != to.y + (to.y >= from.y ? 1 : -1); y += (to.y >= from.y ? 1 : -1)) {
            single.MoveTo(from.x, y);
            single.LineTo(from.x + 1, y);
          }
        } else {
          single.MoveTo(from.x, from.y);
          single.LineToInclusive(to.x, to.y);
        }
      }
      EXPECT_EQ(batched.CurrentPosition(), points.back());
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 30; ++x)
          ASSERT_EQ(batched.At(x, y), single.At(x, y))
              << "round " << round << (mode == PenMode::XorPen ? " xor" : " copy") << " at (" << x << ", " << y << ")";
    }
  }
}

}  // namespace
}  // namespace tarvex
