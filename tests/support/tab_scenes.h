// Tab-strip states for painting tests, the benchmark and the screenshot gallery:
// the main window's configuration and a scene per theme and style. Header-only
// so the Windows gallery (which does not link the native test support) can use
// it too. Colours are OLE colours as the control stores them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/picture.h"
#include "platform/system_colors.h"
#include "tabctl/tab_colors.h"
#include "tabctl/tab_state.h"

namespace tarvex::testing {

inline TabStripState MakeTabState(const std::vector<std::string>& captions) {
  TabStripState s;
  for (const std::string& caption : captions) {
    TabItem tab;
    tab.Caption = caption;
    s.AryTabs.push_back(tab);
  }
  FontDesc font;
  s.InActiveTabFont = std::make_shared<FontDesc>(font);
  font.bold = true;
  s.ActiveTabFont = std::make_shared<FontDesc>(font);
  // Theme 0's colour set (a new control applies it at creation).
  s.DisabledTabForeColor = 0x80000015;
  return s;
}

// Selects a theme and writes its colour set, as setting TabTheme does.
inline void ApplyTheme(TabStripState& s, int32_t theme, const SystemColors& sys) {
  s.TabTheme = theme;
  ApplyColorSet(s, sys);
}

// The main window's tab control: 553 x 329 pixels, four pages, property pages
// in theme 1 with the form's stored colours.
inline TabStripState MainWindowTabState() {
  TabStripState s = MakeTabState({" 状态 ", " 软件设置 ", " 加速记录 ", " 关于软件 "});
  s.ActiveTab = 3;
  s.TabStyle = 1;
  s.TabTheme = 1;
  s.ShowFocusRect = false;
  s.BackColor = s.ActiveTabBackStartColor = s.ActiveTabBackEndColor = 0xFBFDFB;
  s.InActiveTabBackStartColor = 0xFFFFFF;
  s.InActiveTabBackEndColor = 0xEAF0F0;
  s.OuterBorderColor = 0x9B9C91;
  s.TopLeftInnerBorderColor = 0xFFFFFF;
  s.BottomRightInnerBorderColor = 0xAAA6A7;
  s.DisabledTabBackColor = 0x8000000F;
  s.DisabledTabForeColor = 0xA0A0A0;
  s.ForeColor = 0x80000012;
  s.PictureMaskColor = 0xFF00FF;
  *s.ActiveTabFont = FontDesc{"Verdana", 9.0, true, false, false, false, kAnsiCharset};
  *s.InActiveTabFont = FontDesc{"SimSun", 9.0, false, false, false, false, kGb2312Charset};
  return s;
}

// A 16 x 16 bitmap: a filled diamond in `color` on the magenta mask colour.
inline PicturePtr DiamondPicture(Rgb color) {
  auto picture = std::make_shared<Picture>();
  picture->type = PictureType::Bitmap;
  picture->width = picture->height = 16;
  picture->pixels.assign(256, 0xFF00FF);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const int dx = x < 8 ? 7 - x : x - 8;
      const int dy = y < 8 ? 7 - y : y - 8;
      if (dx + dy < 8) picture->pixels[static_cast<size_t>(y) * 16 + x] = color;
    }
  }
  return picture;
}

}  // namespace tarvex::testing
