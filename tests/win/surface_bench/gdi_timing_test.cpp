// Timing figures (printed, never asserted): the raster's scenes drawn through
// GDI with one pen per line, as the controls' own GDI calls would, against the
// raster on the same machine. Each scene is also checked to give the same
// pixels both ways, so the figures compare equal work.
#include <gtest/gtest.h>

#include <windows.h>
#undef DrawText  // keep the surface member's name (see unique_handle.h)

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "win/support/surface_pair.h"

namespace tarvex {
namespace {

double MicrosecondsPer(int reps, const std::function<void()>& body) {
  LARGE_INTEGER f, t0, t1;
  QueryPerformanceFrequency(&f);
  body();  // warm up
  QueryPerformanceCounter(&t0);
  for (int i = 0; i < reps; ++i) body();
  GdiFlush();
  QueryPerformanceCounter(&t1);
  return 1e6 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(f.QuadPart) / reps;
}

std::vector<std::vector<int>> Series() {
  std::vector<std::vector<int>> series(5);
  uint32_t state = 7;
  for (auto& s : series) {
    int v = 44;
    for (int x = 0; x < 440; ++x) {
      state = state * 1664525u + 1013904223u;
      v = std::min(88, std::max(0, v + static_cast<int>((state >> 24) % 9) - 4));
      s.push_back(v);
    }
  }
  return series;
}

TEST(SurfaceTiming, GdiAgainstRaster) {
  const auto series = Series();
  SurfacePair pair(553, 329);
  struct Scene {
    const char* name;
    std::function<void(Surface&)> raster;
  };
  const Scene scenes[] = {
      {"441-px horizontal line",
       [](Surface& s) {
         s.SetPen(MakeRgb(0, 128, 0));
         s.MoveTo(0, 40);
         s.LineTo(441, 40);
       }},
      {"553x329 fill", [](Surface& s) { s.FillRect({0, 0, 553, 329}, MakeRgb(236, 233, 216)); }},
      {"100-row gradient of lines",
       [](Surface& s) {
         for (int y = 0; y < 100; ++y) {
           s.SetPen(MakeRgb(255 - y, 200 + y / 2, 100 + y));
           s.MoveTo(0, y);
           s.LineTo(120, y);
         }
       }},
      {"441x89 monitor frame",
       [&series](Surface& s) {
         s.FillRect({0, 0, 441, 89}, MakeRgb(0, 0, 0));
         s.SetPen(MakeRgb(0, 128, 64));
         for (int y = 0; y < 89; y += 12) {
           s.MoveTo(0, y);
           s.LineTo(441, y);
         }
         for (int x = 5; x < 441; x += 12) {
           s.MoveTo(x, 0);
           s.LineTo(x, 89);
         }
         const Rgb colors[] = {MakeRgb(0, 255, 0), MakeRgb(255, 255, 0), MakeRgb(0, 255, 255),
                               MakeRgb(255, 0, 255), MakeRgb(255, 128, 0)};
         for (size_t i = 0; i < series.size(); ++i) {
           // one pen per segment, as a GDI caller creating a pen per line would
           s.MoveTo(0, series[i][0]);
           for (int x = 1; x < 440; ++x) {
             s.SetPen(colors[i]);
             s.LineToInclusive(x, series[i][static_cast<size_t>(x)]);
           }
         }
       }},
  };
  for (const Scene& scene : scenes) {
    pair.Draw(scene.raster);
    ASSERT_EQ(pair.Compare("timing"), "") << scene.name;
    const double gdiUs = MicrosecondsPer(200, [&] { scene.raster(pair.Gdi()); });
    const double rasterUs = MicrosecondsPer(2000, [&] { scene.raster(pair.Raster()); });
    std::printf("%-28s GDI %9.1f us   raster %8.2f us   (%.0fx)\n", scene.name, gdiUs, rasterUs,
                gdiUs / rasterUs);
  }
}

}  // namespace
}  // namespace tarvex
