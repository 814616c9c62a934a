// Diagram painting for the monitor control.
#include "monitor/monitor_renderer.h"

#include <vector>

#include "common/rounding.h"

namespace tarvex {
namespace {

void DrawGrid(Surface& s, const DiagramInput& in, int32_t& gridOffset) {
  const int32_t w = in.width;
  const int32_t h = in.height;
  s.SetPen(in.gridColor);
  // 11 column spacings across, 6 row spacings down; a step that rounds to 0
  // (a tiny control) draws no lines in that direction.
  const int32_t xEnd = w - 1;
  const int32_t xStep = RoundHalfEven32((w - 1) / 11.0);
  if (xStep > 0) {
    for (int32_t x = in.scrollGrid ? gridOffset : 0; x <= xEnd; x += xStep) {
      s.MoveTo(x, 0);
      s.LineToInclusive(x, h);
    }
  }
  const int32_t yEnd = h - 1;
  const int32_t yStep = RoundHalfEven32((h - 1) / 6.0);
  if (yStep > 0) {
    for (int32_t y = 0; y <= yEnd; y += yStep) {
      s.MoveTo(0, y);
      s.LineToInclusive(w, y);
    }
  }
  if (w > 0 && h > 0) s.FrameRect(Rect{0, 0, w, h}, in.gridColor);
  // One full sweep of the width, then the phase starts again.
  if (gridOffset <= 1 - w) gridOffset = 0;
}

// `points` is scratch space the caller keeps across series (no allocation per series).
void DrawSeries(Surface& s, const DiagramInput& in, MonitorSeries series, Rgb color,
                std::vector<Point>& points) {
  const int32_t w = in.width;
  const int32_t h = in.height;
  if (in.unfilledColumns > w - 1) return;
  const int32_t first = in.unfilledColumns + 1;
  const int32_t last = w - 2;
  // Each sample's y once: the segment that starts at a column and the one
  // that ends there share it.
  points.clear();
  for (int32_t i = first; i <= last + 1; ++i) {
    points.push_back({i, DiagramY(SeriesValue(in.history[static_cast<size_t>(i)], series), h)});
  }
  s.SetPen(color);
  switch (in.diagramStyle) {
    case kDiagramLines:
      // each sample joined to its right neighbour; the newest ends the last line
      if (points.size() >= 2) s.PolylineInclusive(points);
      break;
    case kDiagramPoints:
      // Each sample one column right of its index; the newest is not drawn.
      for (size_t k = 0; k + 1 < points.size(); ++k) s.SetPixel(points[k].x + 1, points[k].y, color);
      break;
    default:
      break;  // unknown styles draw no series
  }
}

// Bars: each sample a column from its y down to H, the newest not drawn, a
// later series over an earlier one. Every bar reaches the bottom, so a later
// bar hides all of an earlier one below its own top: drawing the series last
// to first, each paints only the rows above what the later ones took (the
// same pixels, without painting most of them several times).
void DrawBars(Surface& s, const DiagramInput& in) {
  const int32_t w = in.width;
  const int32_t h = in.height;
  if (in.unfilledColumns > w - 1) return;
  const int32_t first = in.unfilledColumns + 1;
  const int32_t last = w - 2;
  if (first > last) return;
  // top[i - first]: the highest row a later series' bar covers in column i
  std::vector<int32_t> top(static_cast<size_t>(last - first + 1), h + 1);
  for (size_t k = kMonitorSeriesCount; k-- > 0;) {
    if (!in.series[k].displayed) continue;
    const auto series = static_cast<MonitorSeries>(k);
    s.SetPen(in.series[k].color);
    for (int32_t i = first; i <= last; ++i) {
      const int32_t y = DiagramY(SeriesValue(in.history[static_cast<size_t>(i)], series), h);
      int32_t& covered = top[static_cast<size_t>(i - first)];
      if (y < covered) {
        s.MoveTo(i, y);
        s.LineToInclusive(i, covered - 1);
        covered = y;
      }
    }
  }
}

}  // namespace

float SeriesValue(const SystemLevels& levels, MonitorSeries series) {
  switch (series) {
    case MonitorSeries::Cpu: return levels.CPULoadPercent;
    case MonitorSeries::MemoryLoad: return levels.MemoryLoadPercent;
    case MonitorSeries::PageFile: return levels.PageFileAvailablePercent;
    case MonitorSeries::VirtualMemory: return levels.VirtualMemoryAvailablePercent;
    case MonitorSeries::Disk: return levels.HDAvailablePercent;
  }
  return 0.0f;
}

int32_t DiagramY(float percent, int32_t height) {
  return RoundHalfEven32(height - static_cast<double>(percent) / 100.0 * height);
}

void DrawDiagram(Surface& surface, const DiagramInput& in, int32_t& gridOffset) {
  surface.SetPenMode(PenMode::CopyPen);
  surface.Clear(in.backColor);
  if (in.displayGrid) DrawGrid(surface, in, gridOffset);
  if (!in.userMode) return;
  // The caller guarantees W records; a shorter history draws nothing rather
  // than read past its end.
  if (in.width < 2 || in.history.size() < static_cast<size_t>(in.width)) return;
  if (in.diagramStyle == kDiagramBars) {
    DrawBars(surface, in);
    return;
  }
  std::vector<Point> points;
  points.reserve(static_cast<size_t>(in.width));
  for (size_t k = 0; k < kMonitorSeriesCount; ++k) {
    if (in.series[k].displayed) {
      DrawSeries(surface, in, static_cast<MonitorSeries>(k), in.series[k].color, points);
    }
  }
}

}  // namespace tarvex
