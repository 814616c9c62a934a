// The monitor's diagram: background, the optionally scrolling grid with its
// frame, and up to five load series as lines, points or bars. Draws on the
// surface it is given from the inputs it is given; keeps no state but the
// grid offset it wraps. Pixels of the control's inner surface (W x H).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "common/color.h"
#include "monitor/system_levels.h"
#include "platform/surface.h"

namespace tarvex {

inline constexpr int32_t kDiagramLines = 0;
inline constexpr int32_t kDiagramPoints = 1;
inline constexpr int32_t kDiagramBars = 2;

// The five series in drawing order: a later one paints over an earlier one.
enum class MonitorSeries { Cpu, MemoryLoad, PageFile, VirtualMemory, Disk };
inline constexpr size_t kMonitorSeriesCount = 5;

// The percentage a series plots from one sample.
float SeriesValue(const SystemLevels& levels, MonitorSeries series);

struct SeriesLook {
  bool displayed = true;
  Rgb color = 0;
};

struct DiagramInput {
  int32_t width = 0;   // W, ScaleWidth
  int32_t height = 0;  // H, ScaleHeight
  Rgb backColor = 0;
  bool displayGrid = true;
  bool scrollGrid = true;
  Rgb gridColor = 0;
  int32_t diagramStyle = kDiagramLines;
  bool userMode = true;  // series are drawn only at run time
  std::array<SeriesLook, kMonitorSeriesCount> series{};
  // Index = x column; must hold at least W records (newest at W - 1).
  std::span<const SystemLevels> history;
  int32_t unfilledColumns = 0;  // columns at the left with no sample yet
};

// y of a percentage: 0 % at the bottom edge H, 100 % at the top 0, rounded
// halves to even; values outside 0-100 land outside and are clipped.
int32_t DiagramY(float percent, int32_t height);

// The whole redraw except the final refresh. `gridOffset` (0 or negative) is
// the grid's horizontal phase; it wraps to 0 at 1 - W while the grid is drawn.
void DrawDiagram(Surface& surface, const DiagramInput& in, int32_t& gridOffset);

}  // namespace tarvex
