// Lines through GDI and through the raster, compared pixel by pixel: every
// direction and slope from one point, long clipped lines, the inclusive end
// point, the XOR pen drawn once and twice.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "win/support/surface_pair.h"

namespace tarvex {
namespace {

// A small deterministic generator so failures reproduce.
struct Lcg {
  uint32_t state;
  int32_t Next(int32_t lo, int32_t hi) {
    state = state * 1664525u + 1013904223u;
    return lo + static_cast<int32_t>((state >> 8) % static_cast<uint32_t>(hi - lo + 1));
  }
};

TEST(SurfaceDiff, EveryDirectionAndSlopeFromOnePoint) {
  for (int dy = -14; dy <= 14; ++dy) {
    for (int dx = -14; dx <= 14; ++dx) {
      SurfacePair pair(40, 40);
      pair.Draw([&](Surface& s) {
        s.SetPen(MakeRgb(200, 0, 0));
        s.MoveTo(20, 20);
        s.LineTo(20 + dx, 20 + dy);
      });
      std::string name = "slope_" + std::to_string(dx) + "_" + std::to_string(dy);
      ASSERT_EQ(pair.Compare(name), "") << "line (20,20)-(" << 20 + dx << "," << 20 + dy << ")";
    }
  }
}

TEST(SurfaceDiff, LongShallowAndSteepLines) {
  const int lines[][4] = {{2, 2, 12, 5},   {12, 5, 2, 2},    {0, 0, 439, 7},  {439, 7, 0, 0},
                          {1, 60, 300, 1}, {300, 1, 1, 60},  {5, 0, 9, 63},   {9, 63, 5, 0},
                          {0, 31, 440, 32}, {440, 32, 0, 31}, {3, 3, 203, 53}, {203, 53, 3, 3}};
  for (auto& l : lines) {
    SurfacePair pair(441, 64);
    pair.Draw([&](Surface& s) {
      s.SetPen(MakeRgb(0, 0, 0));
      s.MoveTo(l[0], l[1]);
      s.LineTo(l[2], l[3]);
    });
    ASSERT_EQ(pair.Compare("long"), "") << l[0] << "," << l[1] << " - " << l[2] << "," << l[3];
  }
}

TEST(SurfaceDiff, LinesClippedAtEveryEdge) {
  Lcg rng{12345};
  for (int i = 0; i < 400; ++i) {
    int x1 = rng.Next(-60, 120), y1 = rng.Next(-60, 110);
    int x2 = rng.Next(-60, 120), y2 = rng.Next(-60, 110);
    SurfacePair pair(64, 48);
    pair.Draw([&](Surface& s) {
      s.SetPen(MakeRgb(0, 128, 255));
      s.MoveTo(x1, y1);
      s.LineTo(x2, y2);
    });
    ASSERT_EQ(pair.Compare("clip_" + std::to_string(i)), "")
        << "line (" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")";
  }
}

TEST(SurfaceDiff, InclusiveEndPointAndPolylines) {
  SurfacePair pair(120, 60);
  pair.Draw([](Surface& s) {
    s.SetPen(MakeRgb(0, 160, 0));
    s.MoveTo(0, 50);
    for (int x = 4; x < 120; x += 4) s.LineToInclusive(x, 10 + (x * 37) % 45);
    s.SetPen(MakeRgb(128, 0, 128));
    s.MoveTo(5, 5);
    s.LineToInclusive(5, 5);  // a single point
    s.MoveTo(119, 0);
    s.LineToInclusive(60, 59);
  });
  ASSERT_EQ(pair.Compare("inclusive"), "");
}

TEST(SurfaceDiff, XorPenOnceAndTwice) {
  SurfacePair pair(80, 50);
  auto background = [](Surface& s) {
    s.Clear(MakeRgb(236, 233, 216));
    s.FillRect({10, 5, 50, 45}, MakeRgb(10, 36, 106));
  };
  auto xorLines = [](Surface& s) {
    s.SetPenMode(PenMode::XorPen);
    s.SetPen(MakeRgb(0xC8, 0x5A, 0x33));
    for (int i = 0; i < 12; ++i) {
      s.MoveTo(i * 7, 0);
      s.LineTo(79 - i * 3, 49);
      s.MoveTo(0, i * 4);
      s.LineTo(79, 49 - i * 4);
    }
    s.SetPenMode(PenMode::CopyPen);
  };
  pair.Draw(background);
  pair.Draw(xorLines);
  ASSERT_EQ(pair.Compare("xor_once"), "");
  pair.Draw(xorLines);
  ASSERT_EQ(pair.Compare("xor_twice"), "");
  // twice restores the background exactly
  SurfacePair plain(80, 50);
  plain.Draw(background);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 80; ++x) ASSERT_EQ(pair.Raster().At(x, y), plain.Raster().At(x, y));
}

}  // namespace
}  // namespace tarvex
