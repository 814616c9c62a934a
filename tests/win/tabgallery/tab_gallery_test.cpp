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

namespace tarvex {
namespace {

std::string GalleryDir() {
  const char* dir = std::getenv("TARVEX_GALLERY_DIR");
  return dir != nullptr && *dir != '\0' ? std::string(dir) + "\\" : std::string();
}

// A 24-bit bottom-up BMP of the surface's pixels.
bool WriteBmp(const RasterSurface& s, const std::string& path) {
  const int32_t w = s.Width(), h = s.Height();
  const int32_t stride = (w * 3 + 3) & ~3;
  const uint32_t dataSize = static_cast<uint32_t>(stride) * h;
  std::vector<uint8_t> file(54 + dataSize, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  file[26] = 1;
  file[28] = 24;
  put32(34, dataSize);
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = &file[54 + static_cast<size_t>(h - 1 - y) * stride];
    for (int32_t x = 0; x < w; ++x) {
      const Rgb c = s.At(x, y);
      row[x * 3 + 0] = static_cast<uint8_t>(BlueOf(c));
      row[x * 3 + 1] = static_cast<uint8_t>(GreenOf(c));
      row[x * 3 + 2] = static_cast<uint8_t>(RedOf(c));
    }
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  return std::fclose(f) == 0 && ok;
}

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
