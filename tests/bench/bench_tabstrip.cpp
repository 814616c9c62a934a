// One full repaint (Cls, page, layout, tabs, captions, overlay) of the main
// window's tab control: 553 x 329 pixels, four pages, property pages in theme 1
// with the form's colours; plus the hover overlay on its own, which the mouse
// path paints without a repaint.
#include <benchmark/benchmark.h>

#include "platform/raster/raster_surface.h"
#include "platform/system_colors.h"
#include "support/tab_scenes.h"
#include "tabctl/tab_paint.h"

namespace tarvex {
namespace {

void BM_TabStripMainWindowRepaint(benchmark::State& bench) {
  RasterSurface surface(553, 329);
  ClassicSystemColors sys;
  TabPaintEnv env{surface, sys};
  TabStripState state = testing::MainWindowTabState();
  state.HoverTab = state.ActiveTab;
  for (auto _ : bench) {
    PaintTabStrip(state, env);
    benchmark::DoNotOptimize(surface.Data());
  }
}
BENCHMARK(BM_TabStripMainWindowRepaint)->Unit(benchmark::kMicrosecond);

void BM_TabStripHoverOverlay(benchmark::State& bench) {
  RasterSurface surface(553, 329);
  ClassicSystemColors sys;
  TabPaintEnv env{surface, sys};
  TabStripState state = testing::MainWindowTabState();
  PaintTabStrip(state, env);
  state.HoverTab = 1;
  state.OverlayRect = state.AryTabs[1].TabRect;
  for (auto _ : bench) {
    pDrawOverXOred(state, env);  // shows it, the next iteration removes it
    benchmark::DoNotOptimize(surface.Data());
  }
}
BENCHMARK(BM_TabStripHoverOverlay)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvex
