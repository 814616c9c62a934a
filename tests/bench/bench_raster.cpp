// The raster's cost per primitive and for a whole monitor-like frame (441 x 89:
// fill, a scrolled grid, five series of 439 segments with the end point
// included), the per-tick drawing of the load diagram.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/raster/raster_surface.h"

namespace tarvex {
namespace {

void BM_HorizontalLine441(benchmark::State& state) {
  RasterSurface s(441, 89);
  s.SetPen(MakeRgb(0, 128, 0));
  for (auto _ : state) {
    s.MoveTo(0, 40);
    s.LineTo(441, 40);
    benchmark::DoNotOptimize(s.Data());
  }
}
BENCHMARK(BM_HorizontalLine441);

void BM_Fill553x329(benchmark::State& state) {
  RasterSurface s(553, 329);
  for (auto _ : state) {
    s.FillRect({0, 0, 553, 329}, MakeRgb(236, 233, 216));
    benchmark::DoNotOptimize(s.Data());
  }
}
BENCHMARK(BM_Fill553x329);

// A vertical gradient as the tab strip paints one: one line per row, 100 rows.
void BM_GradientOfLines100Rows(benchmark::State& state) {
  RasterSurface s(120, 100);
  for (auto _ : state) {
    for (int y = 0; y < 100; ++y) {
      s.SetPen(MakeRgb(255 - y, 200 + y / 2, 100 + y));
      s.MoveTo(0, y);
      s.LineTo(120, y);
    }
    benchmark::DoNotOptimize(s.Data());
  }
}
BENCHMARK(BM_GradientOfLines100Rows);

struct MonitorSeries {
  std::vector<int32_t> y;  // one sample per column, pixels from the top
};

std::vector<MonitorSeries> MakeSeries() {
  std::vector<MonitorSeries> series(5);
  uint32_t state = 7;
  for (auto& s : series) {
    int32_t v = 44;
    for (int x = 0; x < 440; ++x) {
      state = state * 1664525u + 1013904223u;
      v = std::min(88, std::max(0, v + static_cast<int32_t>((state >> 24) % 9) - 4));
      s.y.push_back(v);
    }
  }
  return series;
}

void DrawMonitorFrame(RasterSurface& s, const std::vector<MonitorSeries>& series, int scroll) {
  s.FillRect({0, 0, 441, 89}, MakeRgb(0, 0, 0));
  s.SetPen(MakeRgb(0, 128, 64));
  for (int y = 0; y < 89; y += 12) {
    s.MoveTo(0, y);
    s.LineTo(441, y);
  }
  for (int x = 12 - scroll % 12; x < 441; x += 12) {
    s.MoveTo(x, 0);
    s.LineTo(x, 89);
  }
  const Rgb colors[] = {MakeRgb(0, 255, 0), MakeRgb(255, 255, 0), MakeRgb(0, 255, 255),
                        MakeRgb(255, 0, 255), MakeRgb(255, 128, 0)};
  // each series as one batched polyline, as the monitor draws it
  std::vector<Point> points(440);
  for (size_t i = 0; i < series.size(); ++i) {
    s.SetPen(colors[i]);
    for (int x = 0; x < 440; ++x) points[static_cast<size_t>(x)] = {x, series[i].y[static_cast<size_t>(x)]};
    s.PolylineInclusive(points);
  }
}

void BM_MonitorFrame441x89(benchmark::State& state) {
  RasterSurface s(441, 89);
  const std::vector<MonitorSeries> series = MakeSeries();
  int scroll = 0;
  for (auto _ : state) {
    DrawMonitorFrame(s, series, scroll++);
    benchmark::DoNotOptimize(s.Data());
  }
}
BENCHMARK(BM_MonitorFrame441x89);

// The same frame as plain Bresenham lines into a bare buffer (no clipping, no
// pen modes, no tie rule): the reference the raster is held against.
void PlainLine(std::vector<uint32_t>& px, int w, int x0, int y0, int x1, int y1, uint32_t c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    px[static_cast<size_t>(y0 * w + x0)] = c;
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void BM_MonitorFramePlainBresenham(benchmark::State& state) {
  std::vector<uint32_t> px(441 * 89);
  const std::vector<MonitorSeries> series = MakeSeries();
  int scroll = 0;
  for (auto _ : state) {
    std::fill(px.begin(), px.end(), 0u);
    for (int y = 0; y < 89; y += 12) PlainLine(px, 441, 0, y, 440, y, 0x008040);
    for (int x = 12 - scroll % 12; x < 441; x += 12) PlainLine(px, 441, x, 0, x, 88, 0x008040);
    ++scroll;
    for (size_t i = 0; i < series.size(); ++i)
      for (int x = 1; x < 440; ++x)
        PlainLine(px, 441, x - 1, series[i].y[static_cast<size_t>(x - 1)], x,
                  series[i].y[static_cast<size_t>(x)], 0x00FF00u + static_cast<uint32_t>(i));
    benchmark::DoNotOptimize(px.data());
  }
}
BENCHMARK(BM_MonitorFramePlainBresenham);

void BM_RoundRectTab(benchmark::State& state) {
  RasterSurface s(120, 30);
  s.SetPen(MakeRgb(0, 60, 115));
  s.SetBrush(MakeRgb(236, 233, 216));
  for (auto _ : state) {
    s.RoundRect(2, 2, 80, 29, 10, 10);
    benchmark::DoNotOptimize(s.Data());
  }
}
BENCHMARK(BM_RoundRectTab);

}  // namespace
}  // namespace tarvex
