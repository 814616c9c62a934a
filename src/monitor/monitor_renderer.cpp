// Diagram painting for the monitor control.
#include "monitor/monitor_renderer.h"

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

void DrawSeries(Surface& s, const DiagramInput& in, MonitorSeries series, Rgb color) {
  const int32_t w = in.width;
  const int32_t h = in.height;
  if (in.unfilledColumns > w - 1) return;
  const int32_t first = in.unfilledColumns + 1;
  const int32_t last = w - 2;
  auto y = [&](int32_t i) {
    return DiagramY(SeriesValue(in.history[static_cast<size_t>(i)], series), h);
  };
  s.SetPen(color);
  switch (in.diagramStyle) {
    case kDiagramLines:
      for (int32_t i = first; i <= last; ++i) {
        s.MoveTo(i, y(i));
        s.LineToInclusive(i + 1, y(i + 1));
      }
      break;
    case kDiagramPoints:
      // Each sample one column right of its index; the newest is not drawn.
      for (int32_t i = first; i <= last; ++i) s.SetPixel(i + 1, y(i), color);
      break;
    case kDiagramBars:
      for (int32_t i = first; i <= last; ++i) {
        s.MoveTo(i, y(i));
        s.LineToInclusive(i, h);
      }
      break;
    default:
      break;  // unknown styles draw no series
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
  for (size_t k = 0; k < kMonitorSeriesCount; ++k) {
    if (in.series[k].displayed) {
      DrawSeries(surface, in, static_cast<MonitorSeries>(k), in.series[k].color);
    }
  }
}

}  // namespace tarvex
