// The tab control's drawing members on the raster: chamfered row spans, the
// gradient's rounding, colour write-back, OffsetColor's clamping and overflow,
// the picture call forms and the re-raised error sources.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "common/control_error.h"
#include "platform/raster/raster_surface.h"
#include "platform/system_colors.h"
#include "tabctl/tab_primitives.h"
#include "recording_surface.h"

namespace tarvex {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kInk = MakeRgb(10, 20, 30);

// The painted columns of one row as [first, last] runs.
std::vector<std::pair<int, int>> Runs(const RasterSurface& s, int y, Rgb color) {
  std::vector<std::pair<int, int>> runs;
  for (int x = 0; x < s.Width(); ++x) {
    if (s.At(x, y) != color) continue;
    if (!runs.empty() && runs.back().second == x - 1) {
      runs.back().second = x;
    } else {
      runs.emplace_back(x, x);
    }
  }
  return runs;
}

using Span = std::pair<int, int>;

struct CurveCase {
  bool left, right;
  std::vector<Span> rows;  // expected span per row Top..Bottom
};

TEST(TabPrimitivesCurvedSolid, RowSpansPerFlagCaseWithCurveTwo) {
  // Rectangle Left 10, Top 2, Right 30, Bottom 6 (five rows).
  const std::vector<CurveCase> cases = {
      {true, true, {{13, 27}, {12, 28}, {11, 29}, {11, 29}, {11, 29}}},
      {true, false, {{13, 29}, {12, 29}, {11, 29}, {11, 29}, {11, 29}}},
      {false, true, {{10, 27}, {10, 28}, {10, 29}, {10, 29}, {10, 29}}},
      {false, false, {{10, 27}, {10, 28}, {10, 29}, {10, 29}, {10, 29}}},
  };
  for (const CurveCase& c : cases) {
    RasterSurface surface(40, 10);
    ClassicSystemColors sys;
    TabPrimitives prim(surface, sys);
    bool l = c.left, r = c.right;
    prim.pFillCurvedSolid({10, 2, 30, 6}, kInk, 2, l, r);
    for (int row = 0; row < 5; ++row) {
      EXPECT_EQ(Runs(surface, 2 + row, kInk), std::vector<Span>{c.rows[row]})
          << "flags " << c.left << c.right << " row " << 2 + row;
    }
    EXPECT_TRUE(Runs(surface, 1, kInk).empty());
    EXPECT_TRUE(Runs(surface, 7, kInk).empty());
  }
}

TEST(TabPrimitivesCurvedSolid, NoCurvePaintsFullRowsAndDeepCurveKeepsCounting) {
  RasterSurface surface(40, 12);
  ClassicSystemColors sys;
  TabPrimitives prim(surface, sys);
  bool l = true, r = true;
  prim.pFillCurvedSolid({5, 1, 25, 3}, kInk, kNoCurve, l, r);
  for (int y = 1; y <= 3; ++y) EXPECT_EQ(Runs(surface, y, kInk), (std::vector<Span>{{5, 24}}));

  // Curve 4 over a rectangle that starts above the surface: the rows that are
  // visible carry the chamfer depth reached by counting down from Top.
  RasterSurface clipped(40, 12);
  TabPrimitives prim2(clipped, sys);
  prim2.pFillCurvedSolid({10, -2, 30, 3}, kInk, 4, l, r);
  EXPECT_EQ(Runs(clipped, 0, kInk), (std::vector<Span>{{13, 27}}));  // c = 2
  EXPECT_EQ(Runs(clipped, 2, kInk), (std::vector<Span>{{11, 29}}));  // c = 0
}

TEST(TabPrimitivesGradient, FiveRowsFromStartToEndRoundedHalfToEven) {
  RasterSurface surface(20, 8);
  ClassicSystemColors sys;
  TabPrimitives prim(surface, sys);
  bool l = false, r = false;
  // Red 0 -> 10 steps 2.5, green 0 -> 6 steps 1.5, blue 200 -> 100 steps -25.
  prim.pFillCurvedGradient({0, 0, 10, 4}, MakeRgb(0, 0, 200), MakeRgb(10, 6, 100), kNoCurve, l,
                           r);
  const Rgb expected[5] = {MakeRgb(0, 0, 200), MakeRgb(2, 2, 175), MakeRgb(5, 3, 150),
                           MakeRgb(8, 4, 125), MakeRgb(10, 6, 100)};
  for (int y = 0; y < 5; ++y) {
    EXPECT_EQ(surface.At(0, y), expected[y]) << "row " << y;
    EXPECT_EQ(surface.At(9, y), expected[y]) << "row " << y;
    EXPECT_EQ(surface.At(10, y), kWhite) << "right edge left out, row " << y;
  }
  EXPECT_EQ(surface.At(0, 5), kWhite);
}

TEST(TabPrimitivesGradient, ChamfersLikeTheSolidFillAndOneRowTakesTheStartColour) {
  RasterSurface surface(40, 8);
  ClassicSystemColors sys;
  TabPrimitives prim(surface, sys);
  bool l = true, r = true;
  prim.pFillCurvedGradient({10, 0, 30, 3}, kInk, kInk, 2, l, r);
  EXPECT_EQ(Runs(surface, 0, kInk), (std::vector<Span>{{13, 27}}));
  EXPECT_EQ(Runs(surface, 1, kInk), (std::vector<Span>{{12, 28}}));
  EXPECT_EQ(Runs(surface, 3, kInk), (std::vector<Span>{{11, 29}}));

  // Bottom = Top: no division by zero, one row in the start colour.
  const Rgb start = MakeRgb(1, 2, 3);
  prim.pFillCurvedGradient({0, 6, 5, 6}, start, MakeRgb(200, 200, 200), kNoCurve, l, r);
  EXPECT_EQ(Runs(surface, 6, start), (std::vector<Span>{{0, 4}}));
  EXPECT_TRUE(Runs(surface, 7, start).empty());
}

TEST(TabPrimitivesColour, OffsetColorClampsEachChannelAndWritesBack) {
  RasterSurface surface(4, 4);
  ClassicSystemColors sys;
  TabPrimitives prim(surface, sys);
  OleColor c = MakeRgb(250, 10, 128);
  int32_t up = 20, down = -20;
  EXPECT_EQ(prim.OffsetColor(c, up), MakeRgb(255, 30, 148));
  EXPECT_EQ(prim.OffsetColor(c, down), MakeRgb(230, 0, 108));

  OleColor face = SystemColor(kColorBtnFace);
  int32_t none = 0;
  EXPECT_EQ(prim.OffsetColor(face, none), *sys.SysColor(kColorBtnFace));
  EXPECT_EQ(face, *sys.SysColor(kColorBtnFace)) << "system colour written back as RGB";

  OleColor white = kWhite;
  int32_t huge = std::numeric_limits<int32_t>::max();
  try {
    prim.OffsetColor(white, huge);
    FAIL() << "expected the overflow error";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), kErrOverflow);
    EXPECT_EQ(e.Source(), "TabStrip.OffsetColor");
  }
}

TEST(TabPrimitivesColour, ChannelExtraction) {
  const Rgb c = MakeRgb(0x12, 0x34, 0x56) | 0x7F000000u;
  EXPECT_EQ(TabPrimitives::pGetRValue(c), 0x12);
  EXPECT_EQ(TabPrimitives::pGetGValue(c), 0x34);
  EXPECT_EQ(TabPrimitives::pGetBValue(c), 0x56);
}

TEST(TabPrimitivesLines, SystemColoursComeBackAsRgbAndPixelsFollowTheLineRule) {
  RasterSurface surface(20, 20);
  ClassicSystemColors sys;
  TabPrimitives prim(surface, sys);
  const Rgb shadow = *sys.SysColor(16);

  OleColor lineColor = SystemColor(16);
  int32_t x1 = 2, y1 = 3, x2 = 8, y2 = 3;
  prim.APILine(x1, y1, x2, y2, lineColor);
  EXPECT_EQ(lineColor, shadow);
  EXPECT_EQ(Runs(surface, 3, shadow), (std::vector<Span>{{2, 7}})) << "end point left out";

  OleColor fillColor = SystemColor(kColorBtnFace);
  prim.APIFillRectByCoords(1, 10, 4, 2, fillColor);
  EXPECT_EQ(fillColor, *sys.SysColor(kColorBtnFace));
  EXPECT_EQ(surface.At(1, 10), fillColor);
  EXPECT_EQ(surface.At(4, 11), fillColor);
  EXPECT_EQ(surface.At(5, 11), kWhite);
  EXPECT_EQ(surface.At(4, 12), kWhite);

  OleColor rectColor = SystemColor(16);
  EXPECT_EQ(prim.APIRectangle(10, 5, 6, 4, rectColor), 0);
  EXPECT_EQ(rectColor, shadow);
  for (Point corner : {Point{10, 5}, Point{16, 5}, Point{16, 9}, Point{10, 9}}) {
    EXPECT_EQ(surface.At(corner.x, corner.y), shadow) << corner.x << "," << corner.y;
  }
  EXPECT_EQ(surface.At(13, 7), kWhite) << "outline only";
}

TEST(TabPrimitivesLines, ClsClearsToTheBackColour) {
  RasterSurface surface(6, 6);
  ClassicSystemColors sys;
  TabPrimitives prim(surface, sys);
  prim.Cls(SystemColor(kColorBtnFace));
  EXPECT_EQ(surface.At(0, 0), *sys.SysColor(kColorBtnFace));
  EXPECT_EQ(surface.At(5, 5), *sys.SysColor(kColorBtnFace));
}

TEST(TabPrimitivesPictures, PaintPicturePassesOnlyTheSizesGiven) {
  testing::RecordingSurface surface(40, 40);
  ClassicSystemColors sys;
  TabPrimitives prim(surface, sys);
  Picture pic;
  pic.width = pic.height = 2;
  pic.pixels.assign(4, kInk);
  prim.pPaintPicture(pic, 1, 2, 16, 8);
  prim.pPaintPicture(pic, 1, 2, 16);
  prim.pPaintPicture(pic, 1, 2, -1, 8);
  prim.pPaintPicture(pic, 1, 2);
  ASSERT_EQ(surface.pictures.size(), 4u);
  EXPECT_EQ(surface.pictures[0].width, 16);
  EXPECT_EQ(surface.pictures[0].height, 8);
  EXPECT_EQ(surface.pictures[1].width, 16);
  EXPECT_FALSE(surface.pictures[1].height.has_value());
  EXPECT_FALSE(surface.pictures[2].width.has_value());
  EXPECT_EQ(surface.pictures[2].height, 8);
  EXPECT_FALSE(surface.pictures[3].width.has_value());
  EXPECT_FALSE(surface.pictures[3].height.has_value());
  EXPECT_EQ(surface.raster.At(1, 2), kInk);
}

TEST(TabPrimitivesPictures, DrawImageLeavesTheMaskColourOutAndScales) {
  RasterSurface surface(10, 10);
  Picture pic;
  pic.width = pic.height = 2;
  pic.pixels = {kInk, 0xFF00FF, 0xFF00FF, kInk};
  TabPrimitives::DrawImage(surface, pic, 0xFF00FF, 2, 2, 4, 4);
  EXPECT_EQ(surface.At(2, 2), kInk);
  EXPECT_EQ(surface.At(3, 3), kInk);
  EXPECT_EQ(surface.At(4, 2), kWhite) << "mask colour left out";
  EXPECT_EQ(surface.At(5, 5), kInk);
}

TEST(TabPrimitivesErrors, CoordinateOverflowIsReRaisedThroughTheCallerChain) {
  RasterSurface surface(10, 10);
  ClassicSystemColors sys;
  TabPrimitives prim(surface, sys);
  bool l = true, r = false;
  const int32_t max = std::numeric_limits<int32_t>::max();
  try {
    prim.pFillCurvedSolid({max - 2, 0, max, 3}, kInk, 2, l, r);  // Left + c + 1 overflows
    FAIL() << "expected the overflow error";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), kErrOverflow);
    EXPECT_EQ(e.Source(), "TabStrip.pFillCurvedSolid");
  }
  OleColor c = kInk;
  try {
    prim.APIFillRectByCoords(max, 0, 1, 1, c);
    FAIL() << "expected the overflow error";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), kErrOverflow);
    EXPECT_EQ(e.Source(), "TabStrip.APIFillRectByCoords");
  }
}

}  // namespace
}  // namespace tarvex
