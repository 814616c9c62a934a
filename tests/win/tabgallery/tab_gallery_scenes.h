// The gallery's scene per style and theme: four Chinese captions in SimSun,
// tab 1 active, tab 2 disabled, pictures on tabs 0 and 1, close boxes on.
#pragma once

#include "platform/system_colors.h"
#include "support/tab_scenes.h"
#include "tabctl/tab_state.h"

namespace tarvex {

inline TabStripState GalleryScene(int32_t style, int32_t theme, const SystemColors& sys) {
  TabStripState state = testing::MakeTabState({"状态", "软件设置", "加速记录", "关于"});
  *state.ActiveTabFont = FontDesc{"SimSun", 9.0, true, false, false, false, kGb2312Charset};
  *state.InActiveTabFont = FontDesc{"SimSun", 9.0, false, false, false, false, kGb2312Charset};
  state.TabStyle = style;
  testing::ApplyTheme(state, theme, sys);
  state.PictureMaskColor = 0xFF00FF;
  state.ActiveTab = 1;
  state.HoverTab = 1;
  state.UseControlBox = true;
  state.AryTabs[2].Enabled = false;
  state.AryTabs[0].Picture = testing::DiamondPicture(MakeRgb(0, 128, 0));
  state.AryTabs[1].Picture = testing::DiamondPicture(MakeRgb(200, 0, 0));
  return state;
}

}  // namespace tarvex
