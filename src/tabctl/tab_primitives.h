// The tab control's small drawing members: one-pixel lines, outlines, solid
// fills, the colour routines and the chamfered line-by-line fills, plus the two
// picture routes. Stateless over a Surface (pixels of the control, origin top
// left); no OS header, no knowledge of tabs.
#pragma once

#include <cstdint>

#include "common/color.h"
#include "common/geometry.h"
#include "common/picture.h"
#include "platform/surface.h"
#include "platform/system_colors.h"

namespace tarvex {

// Curve value that means "no chamfer".
inline constexpr int16_t kNoCurve = -1;

// 32-bit sums and conversions that raise the host's overflow error (6) instead
// of wrapping; the drawing members re-raise it with their own source.
int32_t AddChecked(int32_t a, int32_t b);
int32_t SubChecked(int32_t a, int32_t b);
int16_t ToInt16Checked(int32_t v);

class TabPrimitives {
 public:
  // Both references must outlive this object; nothing else is kept.
  TabPrimitives(Surface& surface, const SystemColors& colors)
      : surface_(&surface), colors_(&colors) {}

  Surface& surface() const { return *surface_; }
  const SystemColors& colors() const { return *colors_; }

  // OleTranslateColor without a palette; untranslatable values give black.
  Rgb GetRGBFromOLE(OleColor color) const;

  // Line from (x1, y1) to (x2, y2) in the current pen mode, end point left out.
  // `color` is replaced by its RGB value.
  void APILine(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2, OleColor& color);
  // Closed outline through all four corners (x, y)-(x+width, y+height); returns 0.
  int32_t APIRectangle(int32_t x, int32_t y, int32_t width, int32_t height, OleColor& color);
  // Paints x .. x+width-1 by y .. y+height-1.
  void APIFillRectByCoords(int32_t x, int32_t y, int32_t width, int32_t height, OleColor& color);
  // Clears the surface to the control's BackColor.
  void Cls(OleColor backColor);

  static int32_t pGetRValue(Rgb color);
  static int32_t pGetGValue(Rgb color);
  static int32_t pGetBValue(Rgb color);

  // Moves all three channels by `offset`, clamped to 0..255. `color` is
  // replaced by its RGB value.
  Rgb OffsetColor(OleColor& color, int32_t& offset);
  // The same without the by-reference plumbing, for expressions.
  Rgb Offset(OleColor color, int32_t offset) { return OffsetColor(color, offset); }

  // Rows Top..Bottom inclusive, each a line left..right (end left out), with the
  // top corners cut at 45 degrees over `curve` rows on the flagged sides.
  void pFillCurvedSolid(Rect r, OleColor color, int16_t curve, bool& leftCut, bool& rightCut);
  void pFillCurvedSolidR(Rect& r, OleColor color, int16_t curve, bool& leftCut, bool& rightCut);
  // The same rows in a vertical gradient: row Top is `start`, row Bottom `end`.
  void pFillCurvedGradient(Rect r, OleColor start, OleColor end, int16_t curve, bool& leftCut,
                           bool& rightCut);
  void pFillCurvedGradientR(Rect& r, OleColor start, OleColor end, int16_t curve, bool& leftCut,
                            bool& rightCut);

  // PaintPicture; -1 for a size means "natural size" and is not passed on.
  void pPaintPicture(const Picture& picture, int16_t x, int16_t y, int16_t width = -1,
                     int16_t height = -1);
  // TransparentBlt of the whole bitmap into the box, `transColor` left out.
  static void DrawImage(Surface& dest, const Picture& bitmap, Rgb transColor, int16_t iLeft,
                        int16_t iTop, int16_t iWidth, int16_t iHeight);

  // Convenience forms used by the renderers (colours by value).
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, OleColor color) {
    APILine(x1, y1, x2, y2, color);
  }
  void FillSolid(Rect r, OleColor color, int16_t curve, bool leftCut, bool rightCut) {
    pFillCurvedSolid(r, color, curve, leftCut, rightCut);
  }
  void FillGradient(Rect r, OleColor start, OleColor end, int16_t curve, bool leftCut,
                    bool rightCut) {
    pFillCurvedGradient(r, start, end, curve, leftCut, rightCut);
  }

 private:
  // One row of a curved fill at chamfer depth c (already counted down).
  void CurvedRow(const Rect& r, int32_t y, int32_t c, bool leftCut, bool rightCut, Rgb color);

  Surface* surface_;
  const SystemColors* colors_;
};

}  // namespace tarvex
