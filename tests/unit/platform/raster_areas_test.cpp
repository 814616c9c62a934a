// Fills, frames, pixels, the focus frame and the pixel format of the raster.
#include <gtest/gtest.h>

#include <vector>

#include "platform/raster/raster_surface.h"

namespace tarvex {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kBlue = MakeRgb(0, 0, 255);

int CountNot(const RasterSurface& s, Rgb c) {
  int n = 0;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) n += s.At(x, y) != c;
  return n;
}

TEST(RasterPixels, DibOrderInStorageRgbOutside) {
  RasterSurface s(4, 3);
  EXPECT_EQ(s.At(0, 0), kWhite);  // starts white
  s.SetPixel(1, 2, MakeRgb(0x11, 0x22, 0x33));
  EXPECT_EQ(s.GetPixel(1, 2), MakeRgb(0x11, 0x22, 0x33));
  EXPECT_EQ(s.Data()[2 * 4 + 1], 0x00112233u);  // 0x00RRGGBB as a DIB holds it
}

TEST(RasterPixels, OutsideIsInvalidAndIgnored) {
  RasterSurface s(4, 3);
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 3}}) {
    s.SetPixel(x, y, kBlue);
    EXPECT_EQ(s.GetPixel(x, y), kInvalidColor);
  }
  EXPECT_EQ(CountNot(s, kWhite), 0);
}

TEST(RasterPixels, SetPixelIgnoresXorMode) {
  RasterSurface s(2, 2);
  s.SetPenMode(PenMode::XorPen);
  s.SetPixel(0, 0, kBlue);
  EXPECT_EQ(s.At(0, 0), kBlue);
}

TEST(RasterPixels, CallerOwnedBufferIsDrawnInPlace) {
  std::vector<uint32_t> dib(6 * 2, 0);
  RasterSurface s(6, 2, dib.data(), nullptr);
  s.FillRect({1, 1, 3, 2}, MakeRgb(1, 2, 3));
  EXPECT_EQ(dib[6 + 1], 0x00010203u);
  EXPECT_EQ(dib[6 + 3], 0u);
}

TEST(RasterFill, CoversLeftTopInclusiveRightBottomExclusive) {
  RasterSurface s(10, 10);
  s.FillRect({2, 3, 5, 7}, kBlue);
  EXPECT_EQ(CountNot(s, kWhite), 3 * 4);
  EXPECT_EQ(s.At(2, 3), kBlue);
  EXPECT_EQ(s.At(4, 6), kBlue);
  EXPECT_EQ(s.At(5, 6), kWhite);
  EXPECT_EQ(s.At(4, 7), kWhite);
}

TEST(RasterFill, EmptyRectsPaintNothingInvertedRunBackFromTheStart) {
  RasterSurface s(10, 10);
  s.FillRect({5, 5, 5, 9}, kBlue);
  s.FrameRect({6, 2, 3, 8}, kBlue);  // a frame needs a proper rectangle
  EXPECT_EQ(CountNot(s, kWhite), 0);
  // left 6 > right 3: the blit runs back from x 6, covering 4 .. 6
  s.FillRect({6, 2, 3, 8}, kBlue);
  EXPECT_EQ(CountNot(s, kWhite), 3 * 6);
  EXPECT_EQ(s.At(3, 2), kWhite);
  EXPECT_EQ(s.At(4, 2), kBlue);
  EXPECT_EQ(s.At(6, 7), kBlue);
  EXPECT_EQ(s.At(7, 7), kWhite);
  s.Clear(kWhite);
  s.FillRect({1, 4, 3, 1}, kBlue);  // rows 2 .. 4
  EXPECT_EQ(s.At(1, 1), kWhite);
  EXPECT_EQ(s.At(1, 2), kBlue);
  EXPECT_EQ(s.At(2, 4), kBlue);
  EXPECT_EQ(CountNot(s, kWhite), 2 * 3);
}

TEST(RasterFill, ClippedAtEveryEdgeAndIgnoresPenMode) {
  RasterSurface s(8, 6);
  s.SetPenMode(PenMode::XorPen);
  s.FillRect({-5, -5, 100, 100}, kBlue);
  EXPECT_EQ(CountNot(s, kBlue), 0);
  s.FillRect({INT32_MIN, INT32_MIN, INT32_MAX, 2}, kWhite);
  EXPECT_EQ(CountNot(s, kBlue), 16);
}

TEST(RasterFrame, OnePixelBorderInside) {
  RasterSurface s(10, 10);
  s.FrameRect({1, 1, 6, 5}, kBlue);
  EXPECT_EQ(CountNot(s, kWhite), 2 * 5 + 2 * 2);
  EXPECT_EQ(s.At(1, 1), kBlue);
  EXPECT_EQ(s.At(5, 4), kBlue);
  EXPECT_EQ(s.At(3, 2), kWhite);
  EXPECT_EQ(s.At(6, 4), kWhite);
}

TEST(RasterClear, PaintsEverything) {
  RasterSurface s(5, 4);
  s.Clear(MakeRgb(1, 2, 3));
  EXPECT_EQ(CountNot(s, MakeRgb(1, 2, 3)), 0);
  s.Resize(3, 3);
  EXPECT_EQ(s.Width(), 3);
  EXPECT_EQ(CountNot(s, kWhite), 0);
}

TEST(RasterFocusRect, DottedInvertedFrameAndTwiceRestores) {
  RasterSurface s(12, 10);
  s.Clear(MakeRgb(200, 100, 50));
  s.FillRect({0, 0, 6, 10}, MakeRgb(1, 2, 3));
  std::vector<Rgb> before;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) before.push_back(s.At(x, y));
  s.DrawFocusRect({1, 1, 11, 8});
  // odd x + y on the frame is inverted, even left alone, inside untouched
  EXPECT_EQ(s.At(2, 1), MakeRgb(254, 253, 252));
  EXPECT_EQ(s.At(1, 1), MakeRgb(1, 2, 3));
  EXPECT_EQ(s.At(10, 7), MakeRgb(255 - 200, 255 - 100, 255 - 50));
  EXPECT_EQ(s.At(4, 3), MakeRgb(1, 2, 3));
  int changed = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) changed += s.At(x, y) != before[static_cast<size_t>(y * 12 + x)];
  EXPECT_EQ(changed, 15);  // 30 frame pixels, half of them odd
  s.DrawFocusRect({1, 1, 11, 8});
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x)
      ASSERT_EQ(s.At(x, y), before[static_cast<size_t>(y * 12 + x)]) << x << "," << y;
}

TEST(RasterFocusRect, ThinFramesKeepOnlyTheirEnds) {
  // one pixel high: the top and bottom passes cancel but for the end pixels
  RasterSurface s(50, 30);
  s.DrawFocusRect({5, 24, 40, 25});
  EXPECT_EQ(CountNot(s, kWhite), 2);
  EXPECT_EQ(s.At(5, 24), 0u);
  EXPECT_EQ(s.At(39, 24), 0u);
  // one pixel wide: only the top pixel stays inverted
  RasterSurface t(50, 30);
  t.DrawFocusRect({44, 2, 45, 30});
  EXPECT_EQ(CountNot(t, kWhite), 1);
  EXPECT_EQ(t.At(44, 2), 0u);
}

TEST(RasterFocusRect, ClippedAndThinFramesStillRoundTrip) {
  RasterSurface s(6, 6);
  const Rect rects[] = {{-3, -3, 20, 20}, {2, 2, 5, 3}, {2, 2, 3, 6}, {INT32_MIN, 0, INT32_MAX, 4}};
  for (const Rect& r : rects) s.DrawFocusRect(r);
  EXPECT_NE(CountNot(s, kWhite), 0);
  for (const Rect& r : rects) s.DrawFocusRect(r);
  EXPECT_EQ(CountNot(s, kWhite), 0);
}

}  // namespace
}  // namespace tarvex
