// Pixel facts of the monitor's diagram on the raster: the grid and its scroll
// and wrap, the three series styles, drawing order, clipping, unfilled columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/monitor_renderer.h"
#include "platform/raster/raster_surface.h"

namespace tarvex {
namespace {

constexpr Rgb kBack = 0xFBFDFB;
constexpr Rgb kGrid = 0xE0E0E0;
constexpr Rgb kCpu = 0x00C000;
constexpr Rgb kMemory = 0x00FFFF;
constexpr Rgb kPageFile = 0x0000FF;
constexpr Rgb kVirtual = 0xFF0000;
constexpr Rgb kDisk = 0xFF80FF;

std::string Hex(Rgb c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06X", c);
  return buf;
}

#define EXPECT_PIXEL(surface, x, y, expected)                                              \
  EXPECT_EQ(Hex((surface).At((x), (y))), Hex(expected)) << "expected " << Hex(expected)   \
                                                        << " at (" << (x) << ", " << (y) << ")"

class Diagram : public testing::Test {
 protected:
  Diagram() : surface(441, 89) {
    in.width = 441;
    in.height = 89;
    in.backColor = kBack;
    in.gridColor = kGrid;
    in.series = {SeriesLook{true, kCpu}, SeriesLook{true, kMemory}, SeriesLook{true, kPageFile},
                 SeriesLook{true, kVirtual}, SeriesLook{true, kDisk}};
    history.assign(442, SystemLevels{});
    in.history = history;
  }
  void Resize(int32_t w, int32_t h) {
    surface.Resize(w, h);
    in.width = w;
    in.height = h;
    history.assign(static_cast<size_t>(w) + 1, SystemLevels{});
    in.history = history;
  }
  void Draw() { DrawDiagram(surface, in, offset); }
  int Count(Rgb color) const {
    int n = 0;
    for (int32_t y = 0; y < surface.Height(); ++y)
      for (int32_t x = 0; x < surface.Width(); ++x) n += surface.At(x, y) == color;
    return n;
  }
  void ShowOnly(MonitorSeries s) {
    for (size_t k = 0; k < kMonitorSeriesCount; ++k) in.series[k].displayed = k == static_cast<size_t>(s);
  }
  std::vector<int32_t> GridColumnsOnRow(int32_t y) const {
    std::vector<int32_t> xs;
    for (int32_t x = 0; x < surface.Width(); ++x)
      if (surface.At(x, y) == kGrid) xs.push_back(x);
    return xs;
  }

  RasterSurface surface;
  DiagramInput in;
  std::vector<SystemLevels> history;
  int32_t offset = 0;
};

TEST_F(Diagram, UnscrolledGridOfTheMainWindowInstance) {
  in.unfilledColumns = 440;
  Draw();
  std::vector<int32_t> expected;
  for (int32_t x = 0; x <= 440; x += 40) expected.push_back(x);
  EXPECT_EQ(GridColumnsOnRow(7), expected) << "vertical lines every 40 pixels, 0 to 440";
  std::vector<int32_t> rows;
  for (int32_t y = 0; y < 89; ++y)
    if (surface.At(20, y) == kGrid) rows.push_back(y);
  EXPECT_EQ(rows, (std::vector<int32_t>{0, 15, 30, 45, 60, 75, 88})) << "rows every 15, frame at 88";
  EXPECT_PIXEL(surface, 20, 7, kBack);
  EXPECT_PIXEL(surface, 440, 88, kGrid);
  EXPECT_EQ(offset, 0);
}

TEST_F(Diagram, ScrolledGridShiftsAndWrapsAtOneMinusWidth) {
  offset = -10;
  Draw();
  std::vector<int32_t> expected{0};  // the frame's left edge
  for (int32_t x = 30; x <= 430; x += 40) expected.push_back(x);
  expected.push_back(440);  // the frame's right edge
  EXPECT_EQ(GridColumnsOnRow(7), expected);
  EXPECT_EQ(offset, -10);

  offset = -439;
  Draw();
  EXPECT_EQ(offset, -439) << "not yet a full sweep";
  offset = -440;
  Draw();
  EXPECT_EQ(offset, 0) << "wraps from -440 to 0";
  std::vector<int32_t> unscrolled;
  for (int32_t x = 0; x <= 440; x += 40) unscrolled.push_back(x);
  EXPECT_EQ(GridColumnsOnRow(7), unscrolled) << "the wrapping frame shows no jump";
}

TEST_F(Diagram, FixedGridIgnoresOffsetButStillWrapsIt) {
  in.scrollGrid = false;
  offset = -10;
  Draw();
  EXPECT_PIXEL(surface, 40, 7, kGrid);
  EXPECT_PIXEL(surface, 30, 7, kBack);
  offset = -440;
  Draw();
  EXPECT_EQ(offset, 0);
}

TEST_F(Diagram, WithoutGridTheOffsetNeverWraps) {
  in.displayGrid = false;
  offset = -500;
  Draw();
  EXPECT_EQ(offset, -500);
  EXPECT_EQ(Count(kBack), 441 * 89) << "background only";
}

TEST_F(Diagram, TinySurfaceDrawsFrameWithoutSteppingByZero) {
  Resize(5, 4);  // (5-1)/11 and (4-1)/6 round to 0
  Draw();
  EXPECT_PIXEL(surface, 0, 0, kGrid);
  EXPECT_PIXEL(surface, 4, 3, kGrid);
  EXPECT_PIXEL(surface, 2, 1, kBack);
  EXPECT_EQ(Count(kGrid), 14);
}

TEST_F(Diagram, PointsSitOneColumnRightOfTheirIndexHalvesToEven) {
  ShowOnly(MonitorSeries::Cpu);
  in.diagramStyle = kDiagramPoints;
  in.unfilledColumns = 0;
  history[300].CPULoadPercent = 50;  // 89 - 44.5 = 44.5 -> 44
  in.displayGrid = false;
  Draw();
  EXPECT_PIXEL(surface, 301, 44, kCpu);
  EXPECT_EQ(Count(kCpu), 1) << "0 % samples fall at y = 89, outside the surface";
  history[440].CPULoadPercent = 50;  // the newest sample is not drawn as a point
  Draw();
  EXPECT_EQ(Count(kCpu), 1);
}

TEST_F(Diagram, LinesJoinNeighboursEndPointIncludedAndNeedTwoSamples) {
  ShowOnly(MonitorSeries::MemoryLoad);
  in.displayGrid = false;
  history[439].MemoryLoadPercent = 20;  // y = 71.2 -> 71
  history[440].MemoryLoadPercent = 80;  // y = 17.8 -> 18
  in.unfilledColumns = 439;             // one sample: nothing
  Draw();
  EXPECT_EQ(Count(kMemory), 0);
  in.unfilledColumns = 438;  // two samples: one segment
  Draw();
  EXPECT_PIXEL(surface, 439, 71, kMemory);
  EXPECT_PIXEL(surface, 440, 18, kMemory);
  EXPECT_EQ(Count(kMemory), 71 - 18 + 1);
  in.unfilledColumns = 441;  // more than W - 1: nothing at all
  Draw();
  EXPECT_EQ(Count(kMemory), 0);
}

TEST_F(Diagram, BarsRunDownToTheBottomEdge) {
  ShowOnly(MonitorSeries::Disk);
  in.diagramStyle = kDiagramBars;
  in.displayGrid = false;
  in.unfilledColumns = 0;
  history[100].HDAvailablePercent = 50;
  Draw();
  EXPECT_PIXEL(surface, 100, 43, kBack);
  for (int32_t y = 44; y < 89; ++y) EXPECT_PIXEL(surface, 100, y, kDisk);
  EXPECT_EQ(Count(kDisk), 45);
}

TEST_F(Diagram, BarsOfAllSeriesEqualEachBarDrawnWholeInOrder) {
  // The renderer skips what a later bar hides; the picture must be that of
  // every bar drawn whole, series by series, over the grid.
  uint32_t seed = 5;
  auto percent = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>((seed >> 8) % 131) - 5.0f;  // -5 .. 125: some off the surface
  };
  in.diagramStyle = kDiagramBars;
  for (int round = 0; round < 4; ++round) {
    for (auto& h : history) {
      h.CPULoadPercent = percent();
      h.MemoryLoadPercent = percent();
      h.PageFileAvailablePercent = percent();
      h.VirtualMemoryAvailablePercent = percent();
      h.HDAvailablePercent = percent();
    }
    in.unfilledColumns = round * 90;
    in.series[static_cast<size_t>(round)].displayed = round % 2 == 0;  // some hidden
    offset = -7 * round;
    int32_t referenceOffset = offset;
    Draw();
    RasterSurface reference(441, 89);
    DiagramInput gridOnly = in;
    gridOnly.userMode = false;
    DrawDiagram(reference, gridOnly, referenceOffset);
    for (size_t k = 0; k < kMonitorSeriesCount; ++k) {
      if (!in.series[k].displayed) continue;
      reference.SetPen(in.series[k].color);
      for (int32_t i = in.unfilledColumns + 1; i <= 439; ++i) {
        reference.MoveTo(i, DiagramY(SeriesValue(history[static_cast<size_t>(i)], static_cast<MonitorSeries>(k)), 89));
        reference.LineToInclusive(i, 89);
      }
    }
    EXPECT_EQ(offset, referenceOffset);
    for (int32_t y = 0; y < 89; ++y)
      for (int32_t x = 0; x < 441; ++x)
        ASSERT_EQ(Hex(surface.At(x, y)), Hex(reference.At(x, y))) << "round " << round << " at (" << x << ", " << y << ")";
  }
}

TEST_F(Diagram, UnfilledColumnsAreNeverDrawn) {
  ShowOnly(MonitorSeries::Cpu);
  in.diagramStyle = kDiagramBars;
  in.displayGrid = false;
  for (auto& h : history) h.CPULoadPercent = 100;
  in.unfilledColumns = 400;
  Draw();
  for (int32_t x = 0; x <= 400; ++x) EXPECT_PIXEL(surface, x, 50, kBack);
  for (int32_t x = 401; x <= 439; ++x) EXPECT_PIXEL(surface, x, 50, kCpu);
  EXPECT_PIXEL(surface, 440, 50, kBack) << "the newest bar is not drawn";
}

TEST_F(Diagram, LaterSeriesPaintOverEarlierOnes) {
  in.displayGrid = false;
  in.unfilledColumns = 0;
  for (auto& h : history) {
    h.CPULoadPercent = h.MemoryLoadPercent = h.PageFileAvailablePercent = 60;
    h.VirtualMemoryAvailablePercent = h.HDAvailablePercent = 60;
  }
  Draw();
  EXPECT_PIXEL(surface, 200, DiagramY(60, 89), kDisk);
  in.series[4].displayed = false;
  Draw();
  EXPECT_PIXEL(surface, 200, DiagramY(60, 89), kVirtual);
  EXPECT_EQ(Count(kDisk), 0);
}

TEST_F(Diagram, OutOfRangeValuesAreClippedNotWrapped) {
  ShowOnly(MonitorSeries::Cpu);
  in.displayGrid = false;
  in.unfilledColumns = 0;
  for (auto& h : history) h.CPULoadPercent = -1;  // failed readings
  Draw();
  EXPECT_EQ(Count(kCpu), 0);
  for (auto& h : history) h.CPULoadPercent = 150;
  in.diagramStyle = kDiagramBars;
  Draw();
  EXPECT_EQ(Count(kCpu), 439 * 89) << "bars from above the top run through the whole height";
}

TEST_F(Diagram, NoSeriesForUnknownStyleAllFlagsOffOrDesignMode) {
  in.unfilledColumns = 0;
  for (auto& h : history) h.CPULoadPercent = 50;
  const int gridPixels = [&] {
    ShowOnly(MonitorSeries::Cpu);
    in.diagramStyle = 3;
    Draw();
    EXPECT_EQ(Count(kCpu), 0);
    return Count(kGrid);
  }();
  EXPECT_EQ(Count(kBack) + gridPixels, 441 * 89);

  in.diagramStyle = kDiagramLines;
  for (auto& s : in.series) s.displayed = false;
  Draw();
  EXPECT_EQ(Count(kBack) + Count(kGrid), 441 * 89);

  ShowOnly(MonitorSeries::Cpu);
  in.userMode = false;
  Draw();
  EXPECT_EQ(Count(kCpu), 0);
  EXPECT_EQ(Count(kGrid), gridPixels);
}

TEST(DiagramY, PercentToRowHalvesToEven) {
  EXPECT_EQ(DiagramY(0, 89), 89);
  EXPECT_EQ(DiagramY(100, 89), 0);
  EXPECT_EQ(DiagramY(50, 89), 44);
  EXPECT_EQ(DiagramY(50, 91), 46);  // 45.5 -> 46
  EXPECT_EQ(DiagramY(-1, 89), 90);
}

}  // namespace
}  // namespace tarvex
