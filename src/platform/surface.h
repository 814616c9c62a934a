// The drawing surface every control paints on: GDI's device-context model (a
// selected pen, brush, font, text colour and pen mode) in neutral types. Pixels of
// the surface, origin top left. Implemented by the portable raster (program and
// tests) and by real GDI (the oracle of the differential test).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/color.h"
#include "common/font.h"
#include "common/geometry.h"
#include "common/picture.h"

// A Win32 header included earlier maps DrawText to DrawTextW; the members
// below keep their own name in every translation unit.
#ifdef DrawText
#undef DrawText
#endif

namespace tarvex {

// The host's DrawMode values that the controls use (R2_XORPEN, R2_COPYPEN).
enum class PenMode : int32_t { XorPen = 7, CopyPen = 13 };

// DrawText flags (the Win32 values).
namespace dt {
inline constexpr uint32_t kTop = 0x0;
inline constexpr uint32_t kLeft = 0x0;
inline constexpr uint32_t kCenter = 0x1;
inline constexpr uint32_t kRight = 0x2;
inline constexpr uint32_t kVCenter = 0x4;
inline constexpr uint32_t kBottom = 0x8;
inline constexpr uint32_t kWordBreak = 0x10;
inline constexpr uint32_t kSingleLine = 0x20;
inline constexpr uint32_t kExpandTabs = 0x40;
inline constexpr uint32_t kNoClip = 0x100;
inline constexpr uint32_t kCalcRect = 0x400;
inline constexpr uint32_t kNoPrefix = 0x800;
inline constexpr uint32_t kPathEllipsis = 0x4000;
inline constexpr uint32_t kEndEllipsis = 0x8000;
inline constexpr uint32_t kModifyString = 0x10000;
inline constexpr uint32_t kRtlReading = 0x20000;
inline constexpr uint32_t kWordEllipsis = 0x40000;
inline constexpr uint32_t kNoFullWidthCharBreak = 0x80000;
inline constexpr uint32_t kHidePrefix = 0x100000;
inline constexpr uint32_t kPrefixOnly = 0x200000;
}  // namespace dt

inline constexpr Rgb kInvalidColor = 0xFFFFFFFFu;  // CLR_INVALID from GetPixel

class Surface {
 public:
  virtual ~Surface() = default;

  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;

  // --- state (like objects selected into a DC) ---
  virtual void SetPen(Rgb color) = 0;                  // solid, one pixel wide
  virtual void SetBrush(std::optional<Rgb> color) = 0; // nullopt = hollow brush
  virtual void SetPenMode(PenMode mode) = 0;
  virtual PenMode GetPenMode() const = 0;
  virtual void SetFont(const FontDesc& font) = 0;
  virtual void SetTextColor(Rgb color) = 0;

  // --- lines with the current pen ---
  virtual void MoveTo(int32_t x, int32_t y) = 0;
  // Draws from the current position to (x, y), leaving (x, y) unpainted; the
  // current position becomes (x, y).
  virtual void LineTo(int32_t x, int32_t y) = 0;
  // The same line with its end point painted too (the monitor's diagram).
  virtual void LineToInclusive(int32_t x, int32_t y) = 0;
  // A chain of such lines in one call: MoveTo the first point, then
  // LineToInclusive to each next one (a joint is painted by both its lines).
  virtual void PolylineInclusive(std::span<const Point> points) {
    if (points.empty()) return;
    MoveTo(points[0].x, points[0].y);
    for (const Point& p : points.subspan(1)) LineToInclusive(p.x, p.y);
  }
  virtual Point CurrentPosition() const = 0;

  // --- areas ---
  virtual void FillRect(const Rect& r, Rgb color) = 0;   // left..right-1, top..bottom-1
  virtual void FrameRect(const Rect& r, Rgb color) = 0;  // one-pixel border inside r
  // GDI RoundRect with the current pen (outline) and brush (interior).
  virtual void RoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom,
                         int32_t ellipseWidth, int32_t ellipseHeight) = 0;
  virtual void DrawFocusRect(const Rect& r) = 0;  // inverts a dotted frame
  virtual void Clear(Rgb backColor) = 0;

  // --- pixels (SetPixelV ignores the pen mode) ---
  virtual void SetPixel(int32_t x, int32_t y, Rgb color) = 0;
  virtual Rgb GetPixel(int32_t x, int32_t y) const = 0;  // kInvalidColor outside

  // --- text (UTF-8) in the current font and text colour, transparent background ---
  // DrawTextA semantics: returns the text height; with kCalcRect only fits `r`;
  // with kModifyString and an ellipsis, `text` becomes the shortened text.
  virtual int32_t DrawText(std::string& text, Rect& r, uint32_t flags) = 0;
  // TextWidth / TextHeight of the host (no prefix processing).
  virtual Size MeasureText(std::string_view text) = 0;

  // --- pictures ---
  // PaintPicture: scaled to width x height; a missing size is the natural one.
  virtual void DrawPicture(const Picture& picture, int32_t x, int32_t y,
                           std::optional<int32_t> width = std::nullopt,
                           std::optional<int32_t> height = std::nullopt) = 0;
  // TransparentBlt: the whole picture scaled into the box, `maskColor` left out.
  virtual void DrawTransparent(const Picture& picture, int32_t x, int32_t y, int32_t width,
                               int32_t height, Rgb maskColor) = 0;
};

}  // namespace tarvex
