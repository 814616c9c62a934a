// The same tab-strip scenes drawn twice, by the raster (as the program draws)
// and by real GDI through GdiSurface, compared pixel by pixel. Both draw text
// with GDI in the same fonts, so the images must agree everywhere.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/win32/dib_canvas.h"
#include "platform/win32/gdi_surface.h"
#include "platform/win32/system_colors_win32.h"
#include "support/tab_scenes.h"
#include "tab_gallery_scenes.h"
#include "tabctl/tab_paint.h"

namespace tarvex {
namespace {

// Paints `make()`'s state on both surfaces; returns the mismatch count and
// describes the first one.
template <class MakeState>
int Compare(int32_t w, int32_t h, MakeState make, std::string& first) {
  const Win32SystemColors sys;
  DibCanvas raster(w, h);
  DibCanvas oracle(w, h);
  {
    TabPaintEnv env{raster.Surface(), sys};
    TabStripState state = make(sys);
    PaintTabStrip(state, env);
  }
  {
    GdiSurface gdi(oracle.Dc(), w, h);
    TabPaintEnv env{gdi, sys};
    TabStripState state = make(sys);
    PaintTabStrip(state, env);
  }
  GdiFlush();
  int mismatches = 0;
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      const Rgb expected = oracle.Surface().At(x, y);
      const Rgb got = raster.Surface().At(x, y);
      if (expected == got) continue;
      if (mismatches++ == 0) {
        char text[128];
        std::snprintf(text, sizeof text, "expected %06X got %06X at (%d, %d)", expected, got, x,
                      y);
        first = text;
      }
    }
  }
  return mismatches;
}

TEST(TabDifferential, RasterMatchesGdiInEveryThemeAndStyle) {
  for (int32_t style : {0, 1}) {
    for (int32_t theme = 0; theme < kTabThemeCount; ++theme) {
      std::string first;
      const int n = Compare(360, 120, [&](const SystemColors& sys) {
        return GalleryScene(style, theme, sys);
      }, first);
      EXPECT_EQ(n, 0) << "style " << style << " theme " << theme << ": " << first;
    }
  }
}

TEST(TabDifferential, RasterMatchesGdiForTheMainWindow) {
  std::string first;
  const int n = Compare(553, 329, [](const SystemColors&) {
    TabStripState state = testing::MainWindowTabState();
    state.HoverTab = state.ActiveTab;
    state.IsFocused = true;
    state.ShowFocusRect = true;
    return state;
  }, first);
  EXPECT_EQ(n, 0) << first;
}

}  // namespace
}  // namespace tarvex
