// RGB and OLE colours. An RGB value has red in bits 0-7, green 8-15, blue 16-23;
// an OLE colour with the high bit set names a system colour in its low byte.
#pragma once

#include <cstdint>

namespace tarvex {

using Rgb = uint32_t;
using OleColor = uint32_t;

class SystemColors;

constexpr Rgb MakeRgb(int r, int g, int b) {
  return static_cast<Rgb>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr bool IsSystemColor(OleColor c) { return (c & 0x80000000u) != 0; }
constexpr OleColor SystemColor(int index) { return 0x80000000u | static_cast<OleColor>(index); }

// OleTranslateColor without a palette: plain RGB unchanged, a system colour as
// its current value, anything untranslatable as 0 (black).
Rgb TranslateOleColor(OleColor color, const SystemColors& system);

// Same, but reports whether the value could be translated at all.
bool TryTranslateOleColor(OleColor color, const SystemColors& system, Rgb& out);

}  // namespace tarvex
