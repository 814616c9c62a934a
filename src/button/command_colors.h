// Colour arithmetic of the gradient button and its fixed colour sets: the scheme
// step's derived colours, the blue/grey gradient sets and the flat-style set.
// Pure functions over RGB values (0xBBGGRR); no surface, no site.
#pragma once

#include <cstdint>

#include "common/color.h"

namespace tarvex {

class SystemColors;

// Adds n to red, green and blue, each clamped to 0-255.
Rgb ShiftColor(Rgb color, int n);
// As ShiftColor for red and green; blue becomes B + (B * n) / 192 (quotient
// truncated toward zero), clamped.
Rgb ProportionalShift(Rgb color, int n);
// Adds dr, dg, db and clamps each component between 0 and that of `limit`.
Rgb DarkenToLimit(Rgb color, int dr, int dg, int db, Rgb limit);

// The six gradient colours of types 3 and 4 (OLE colours as stored).
struct GradientColors {
  OleColor MidColor;
  OleColor EndColor;
  OleColor MouseMoveMidColor;
  OleColor MouseMoveEndColor;
  OleColor MouseDownMidColor;
  OleColor MouseDownEndColor;
  friend bool operator==(const GradientColors&, const GradientColors&) = default;
};

// The four flat-style (type 5) colours.
struct FlatColors {
  OleColor OfficeXpFillColor;
  OleColor OfficeXpFrameColor;
  OleColor OfficeXpMousemoveFillColor;
  OleColor OfficeXpMousemoveFrameColor;
  friend bool operator==(const FlatColors&, const FlatColors&) = default;
};

inline constexpr GradientColors kDefaultGradient{0x73C874, 0xD7F6D7, 0x33A335,
                                                 0xF4FCF5, 0x85D084, 0};
// Loaded whenever ButtonType becomes 4.
inline constexpr GradientColors kBlueGradient{
    MakeRgb(124, 171, 255), MakeRgb(191, 211, 255), MakeRgb(157, 203, 255),
    MakeRgb(209, 231, 255), MakeRgb(100, 153, 255), MakeRgb(191, 211, 255)};
inline constexpr int16_t kBluePercent = 53;
// Loaded by the scheme step for scheme 1 with ButtonType 4.
inline constexpr GradientColors kGreyGradient{
    MakeRgb(197, 197, 197), MakeRgb(238, 238, 238), MakeRgb(123, 167, 211),
    MakeRgb(210, 245, 251), MakeRgb(227, 167, 105), MakeRgb(252, 220, 199)};

inline constexpr FlatColors kDefaultFlat{0xA0DEDE, 0x42BCBC, 0xBADCDC, 0x01807F};
// Loaded by the scheme step for scheme 3.
inline constexpr FlatColors kScheme3Flat{MakeRgb(236, 233, 216), MakeRgb(172, 169, 154),
                                         MakeRgb(193, 210, 238), MakeRgb(49, 105, 198)};

inline constexpr OleColor kDefaultRectColor = 0x58C3FA;

// Colours the scheme step derives (all RGB).
struct SchemeColors {
  Rgb face = 0;
  Rgb light = 0;
  Rgb highlight = 0;
  Rgb shadow = 0;
  Rgb darkShadow = 0;
  Rgb text = 0;
  friend bool operator==(const SchemeColors&, const SchemeColors&) = default;
};

// Scheme 2 derives from BackColor, scheme 3 is a fixed grey set, and every
// other value (1 included) takes the system colours.
SchemeColors DeriveSchemeColors(int32_t colorScheme, OleColor backColor, OleColor foreColor,
                                const SystemColors& system);

}  // namespace tarvex
