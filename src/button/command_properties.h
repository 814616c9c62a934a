// The persistent property values of one gradient button (what the property bag
// stores) and the visual states it paints. Plain data.
#pragma once

#include <cstdint>
#include <string>

#include "button/command_colors.h"
#include "common/font.h"

namespace tarvex {

// Visual state of a paint. 1 is never set by the button and paints only the face.
inline constexpr int32_t kStateNormal = 0;
inline constexpr int32_t kStatePressed = 2;

inline constexpr int16_t kDefaultPercent = 16;
inline constexpr char kDefaultCaptionKey[] = "Command";

struct CommandProperties {
  std::string Caption = kDefaultCaptionKey;  // UTF-8; "&" marks the access key
  FontDesc Font;
  OleColor ForeColor = 0;
  OleColor BackColor = 0;
  bool Enabled = true;
  int32_t ButtonType = 1;   // 1..5 paint a look; others only the face
  int32_t ColorScheme = 1;  // 2 and 3 special, anything else as 1
  int32_t XpType = 1;       // face variant of type 1
  bool ShowFocusRect = true;
  OleColor rectcolor = kDefaultRectColor;  // hover frame of types 1 and 2
  int16_t Percent = kDefaultPercent;       // 0..100, gradient split of types 3, 4
  GradientColors gradient = kDefaultGradient;
  FlatColors flat = kDefaultFlat;
  int32_t storedHwnd = 0;  // persisted "hWnd", read and written back, never used
};

}  // namespace tarvex
