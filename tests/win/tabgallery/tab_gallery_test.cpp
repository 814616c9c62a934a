// The tab strip in every theme and style, painted the way the program paints
// (raster into a DIB section, GDI text in the real fonts) and saved as BMP files
// for the screenshot sheet. Set TARVEX_GALLERY_DIR to choose where they go
// (default: the current directory). Each scene is also checked: the captions
// were drawn inside their tabs and the layout stays within the control.
// docs/screenshots/tabstrip-sheet.png is these eleven images, labelled and put
// together with ImageMagick (montage, 5 x 2, then the main window below).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/dib_canvas.h"
#include "platform/win32/system_colors_win32.h"
#include "support/tab_scenes.h"
#include "tabctl/tab_paint.h"
#include "tab_gallery_scenes.h"
#include "win/support/gallery.h"

namespace tarvex {
namespace {

// Pixels of `color` inside r.
int CountColor(const RasterSurface& s, const Rect& r, Rgb color) {
  int n = 0;
  for (int32_t y = std::max(0, r.top); y < std::min(s.Height(), r.bottom); ++y) {
    for (int32_t x = std::max(0, r.left); x < std::min(s.Width(), r.right); ++x) {
      n += s.At(x, y) == color;
    }
  }
  return n;
}

void CheckAndSave(DibCanvas& canvas, TabStripState& state, const std::string& name) {
  RasterSurface& surface = canvas.Surface();
  for (const TabItem& tab : state.AryTabs) {
    EXPECT_GE(tab.TabRect.left, 0) << name;
    EXPECT_LE(tab.TabRect.right, surface.Width()) << name;
  }
  // A caption in the active tab's text colour (black in these schemes) shows
  // within its tab.
  const Win32SystemColors sys;
  const TabItem& active = state.AryTabs[static_cast<size_t>(state.ActiveTab)];
  const Rgb ink = TranslateOleColor(state.ActiveTabForeColor, sys);
  EXPECT_GT(CountColor(surface, active.TabRect, ink), 5) << name << ": no caption pixels";
  EXPECT_TRUE(WriteBmp(surface, GalleryDir() + name + ".bmp")) << name;
}

TEST(TabGallery, EveryThemeInBothStyles) {
  const Win32SystemColors sys;
  for (int32_t style : {0, 1}) {
    for (int32_t theme = 0; theme < kTabThemeCount; ++theme) {
      DibCanvas canvas(360, 120);
      TabPaintEnv env{canvas.Surface(), sys};
      TabStripState state = GalleryScene(style, theme, sys);
      PaintTabStrip(state, env);
      CheckAndSave(canvas, state,
                   "tab-style" + std::to_string(style) + "-theme" + std::to_string(theme));
    }
  }
}

TEST(TabGallery, MainWindowConfiguration) {
  const Win32SystemColors sys;
  DibCanvas canvas(553, 329);
  TabPaintEnv env{canvas.Surface(), sys};
  TabStripState state = testing::MainWindowTabState();
  state.HoverTab = state.ActiveTab;
  PaintTabStrip(state, env);
  CheckAndSave(canvas, state, "tab-main-window");
}

}  // namespace
}  // namespace tarvex
