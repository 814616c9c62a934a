// RoundRect outlines and interiors, and scaled / transparent pictures.
#include <gtest/gtest.h>

#include <string>

#include "platform/raster/raster_surface.h"
#include "support/gtest_printers.h"

namespace tarvex {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kPen = MakeRgb(0, 0, 128);
constexpr Rgb kBrush = MakeRgb(0, 200, 0);

int Count(const RasterSurface& s, Rgb c) {
  int n = 0;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) n += s.At(x, y) == c;
  return n;
}

std::string Ascii(const RasterSurface& s) {
  std::string out;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x)
      out += s.At(x, y) == kPen ? '#' : s.At(x, y) == kBrush ? 'o' : '.';
    out += '\n';
  }
  return out;
}

TEST(RasterRoundRect, OutlineSpansLeftToRightMinusOne) {
  RasterSurface s(22, 14);
  s.SetPen(kPen);
  s.SetBrush(std::nullopt);
  s.RoundRect(0, 0, 20, 12, 10, 10);
  EXPECT_EQ(Count(s, kPen), 48) << Ascii(s);
  int minX = 99, maxX = -1, minY = 99, maxY = -1;
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 22; ++x)
      if (s.At(x, y) == kPen) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
  EXPECT_EQ(minX, 0);
  EXPECT_EQ(maxX, 19);
  EXPECT_EQ(minY, 0);
  EXPECT_EQ(maxY, 11);
  EXPECT_EQ(s.At(0, 0), kWhite);  // the corner is cut
  EXPECT_EQ(s.At(10, 0), kPen);
  EXPECT_EQ(s.At(0, 6), kPen);
}

TEST(RasterRoundRect, CornersAreMirrorImagesForEveryRadius) {
  for (int radius : {3, 4, 5, 7, 10, 16}) {
    RasterSurface s(30, 24);
    s.SetPen(kPen);
    s.SetBrush(kBrush);
    s.RoundRect(2, 3, 28, 21, radius, radius);
    SCOPED_TRACE(testing::Message() << "radius " << radius << "\n" << Ascii(s));
    for (int y = 3; y < 21; ++y)
      for (int x = 2; x < 28; ++x) {
        ASSERT_EQ(s.At(x, y), s.At(29 - x, y)) << x << "," << y;   // left-right
        ASSERT_EQ(s.At(x, y), s.At(x, 23 - y)) << x << "," << y;   // top-bottom
      }
    // the interior is closed: every row between the outline is filled
    for (int y = 4; y < 20; ++y) EXPECT_EQ(s.At(15, y), kBrush) << y;
    EXPECT_EQ(s.At(2, 3), kWhite);
  }
}

TEST(RasterRoundRect, SmallRadiiGiveAPlainRectangle) {
  RasterSurface s(12, 10);
  s.SetPen(kPen);
  s.SetBrush(kBrush);
  s.RoundRect(1, 1, 9, 7, 2, 2);
  EXPECT_EQ(s.At(1, 1), kPen);
  EXPECT_EQ(s.At(8, 6), kPen);
  EXPECT_EQ(s.At(9, 6), kWhite);
  EXPECT_EQ(Count(s, kPen), 2 * 8 + 2 * 4);
  EXPECT_EQ(Count(s, kBrush), 6 * 4);
}

TEST(RasterRoundRect, ClippedAndHugeRectsStayBounded) {
  RasterSurface s(10, 10);
  s.SetPen(kPen);
  s.SetBrush(kBrush);
  s.RoundRect(-20, -20, 30, 30, 8, 8);
  EXPECT_EQ(Count(s, kBrush), 100);
  s.RoundRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX);
  s.RoundRect(5, 5, 5, 9, 4, 4);  // empty: nothing
}

TEST(RasterPicture, NaturalSizeAndNearestNeighbourScaling) {
  Picture p;
  p.width = 2;
  p.height = 2;
  p.pixels = {MakeRgb(1, 0, 0), MakeRgb(2, 0, 0), MakeRgb(3, 0, 0), MakeRgb(4, 0, 0)};
  RasterSurface s(10, 10);
  s.DrawPicture(p, 1, 1);
  EXPECT_EQ(s.At(1, 1), MakeRgb(1, 0, 0));
  EXPECT_EQ(s.At(2, 2), MakeRgb(4, 0, 0));
  EXPECT_EQ(s.At(3, 3), kWhite);
  s.DrawPicture(p, 4, 4, 4, 2);  // twice as wide
  EXPECT_EQ(s.At(4, 4), MakeRgb(1, 0, 0));
  EXPECT_EQ(s.At(5, 4), MakeRgb(1, 0, 0));
  EXPECT_EQ(s.At(6, 4), MakeRgb(2, 0, 0));
  EXPECT_EQ(s.At(7, 5), MakeRgb(4, 0, 0));
  EXPECT_EQ(s.At(8, 5), kWhite);
  s.DrawPicture(p, -1, 8);  // clipped at the left
  EXPECT_EQ(s.At(0, 8), MakeRgb(2, 0, 0));
}

TEST(RasterPicture, TransparentLeavesOutTheMaskAndIconAlpha) {
  Picture p;
  p.width = 2;
  p.height = 1;
  p.pixels = {MakeRgb(255, 0, 255), MakeRgb(9, 9, 9)};
  RasterSurface s(6, 2);
  s.DrawTransparent(p, 0, 0, 4, 2, MakeRgb(255, 0, 255));
  EXPECT_EQ(s.At(0, 0), kWhite);
  EXPECT_EQ(s.At(1, 1), kWhite);
  EXPECT_EQ(s.At(2, 0), MakeRgb(9, 9, 9));
  EXPECT_EQ(s.At(3, 1), MakeRgb(9, 9, 9));
  p.type = PictureType::Icon;
  p.alpha = {255, 0};
  s.Clear(kWhite);
  s.DrawPicture(p, 0, 0);
  EXPECT_EQ(s.At(0, 0), MakeRgb(255, 0, 255));
  EXPECT_EQ(s.At(1, 0), kWhite);
  Picture none;
  none.type = PictureType::None;
  s.DrawPicture(none, 0, 0, 3, 3);  // nothing, no crash
}

}  // namespace
}  // namespace tarvex
