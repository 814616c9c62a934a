// The tab control's five colour sets and the visual-style detection: pure
// functions over the state and the platform's answers, so they test without a
// window. No OS header.
#pragma once

#include <optional>
#include <string>

#include "platform/system_colors.h"
#include "platform/theme_info.h"
#include "tabctl/tab_state.h"

namespace tarvex {

inline constexpr const char* kThemeNone = "None";
inline constexpr const char* kThemeError = "UxTheme_Error";

// Writes the colour set of state.TabTheme into the colour properties (themes
// 0-4; any other value writes nothing). Theme 4's hover and focus colours are
// computed from the current system colours here and then stay fixed.
void ApplyColorSet(TabStripState& state, const SystemColors& colors);

// True only for the NT family, version 5.1, build 2600 or later.
bool IsWinXPVersion(const std::optional<OsVersion>& version);

// "None" off 5.1 or without a named colour variant, "UxTheme_Error" when the
// style query fails, else the colour-variant name.
std::string ThemeInfoText(const ThemeInfoSource* source);

}  // namespace tarvex
