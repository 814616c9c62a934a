// Lines through GDI and through the raster, compared pixel by pixel: every
// direction and slope from one point, long clipped lines, the inclusive end
// point, columns and batched polylines, the monitor's diagram, the XOR pen
// drawn once and twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "monitor/monitor_renderer.h"
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

TEST(SurfaceDiff, ColumnsAndBatchedPolylines) {
  // Columns clipped at either end or both, end point in or out; polylines of
  // one-column steps (a monitor series) with wider, vertical and clipped
  // steps, under the copy and the XOR pen.
  Lcg rng{777};
  for (int round = 0; round < 24; ++round) {
    const bool xorPen = round % 2 == 1;
    int columns[6][3];
    for (auto& c : columns) c[0] = rng.Next(-2, 65), c[1] = rng.Next(-30, 70), c[2] = rng.Next(-30, 70);
    std::vector<Point> points{{rng.Next(-3, 4), rng.Next(-6, 52)}};
    for (int i = 0; i < 70; ++i) {
      const int kind = rng.Next(0, 9);
      const int dx = kind < 7 ? 1 : kind < 8 ? 0 : rng.Next(-3, 3);
      points.push_back({points.back().x + dx, rng.Next(-6, 52)});
    }
    SurfacePair pair(64, 48);
    pair.Draw([&](Surface& s) {
      s.Clear(MakeRgb(236, 233, 216));
      if (xorPen) s.SetPenMode(PenMode::XorPen);
      s.SetPen(MakeRgb(0, 128, 64));
      for (int i = 0; i < 6; ++i) {
        s.MoveTo(columns[i][0], columns[i][1]);
        if (i % 2 == 0) s.LineTo(columns[i][0], columns[i][2]);
        else s.LineToInclusive(columns[i][0], columns[i][2]);
      }
      s.SetPen(MakeRgb(200, 30, 90));
      s.PolylineInclusive(points);
      s.SetPenMode(PenMode::CopyPen);
    });
    ASSERT_EQ(pair.Compare("columns_polyline_" + std::to_string(round)), "") << "round " << round;
  }
}

TEST(SurfaceDiff, MonitorDiagramInEveryStyle) {
  // The whole monitor frame (clear, scrolled grid, frame, five series) as the
  // program paints it, with wandering samples and failed readings.
  std::vector<SystemLevels> history(441);
  Lcg rng{4242};
  float walk[5] = {40, 60, 30, 10, 55};
  for (auto& h : history) {
    for (float& v : walk) v = static_cast<float>(std::clamp(static_cast<int>(v) + rng.Next(-9, 9), -3, 110));
    h.CPULoadPercent = rng.Next(0, 30) == 0 ? -1.0f : walk[0];
    h.MemoryLoadPercent = walk[1];
    h.PageFileAvailablePercent = walk[2];
    h.VirtualMemoryAvailablePercent = walk[3];
    h.HDAvailablePercent = walk[4];
  }
  DiagramInput in;
  in.width = 441;
  in.height = 89;
  in.backColor = 0xFBFDFB;
  in.gridColor = 0xE0E0E0;
  in.series = {SeriesLook{true, 0x00C000}, SeriesLook{true, 0x00FFFF}, SeriesLook{true, 0x0000FF},
               SeriesLook{true, 0xFF0000}, SeriesLook{true, 0xFF80FF}};
  in.history = history;
  in.unfilledColumns = 37;
  for (int32_t style : {kDiagramLines, kDiagramPoints, kDiagramBars}) {
    in.diagramStyle = style;
    SurfacePair pair(441, 89);
    int32_t gdiOffset = -13, rasterOffset = -13;
    DrawDiagram(pair.Gdi(), in, gdiOffset);
    DrawDiagram(pair.Raster(), in, rasterOffset);
    ASSERT_EQ(pair.Compare("monitor_style_" + std::to_string(style)), "") << "style " << style;
  }
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
