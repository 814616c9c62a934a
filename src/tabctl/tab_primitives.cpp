// Drawing members of the tab control over the portable Surface. Every member
// traps what fails inside it and re-raises it as "TabStrip.<member>".
#include "tabctl/tab_primitives.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <stdexcept>

#include "common/control_error.h"
#include "common/rounding.h"

namespace tarvex {

namespace {

int32_t Narrow32(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min()) {
    throw std::overflow_error("32-bit overflow");
  }
  return static_cast<int32_t>(v);
}

int ClampChannel(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, 0, 255)); }

}  // namespace

int32_t AddChecked(int32_t a, int32_t b) { return Narrow32(int64_t{a} + b); }
int32_t SubChecked(int32_t a, int32_t b) { return Narrow32(int64_t{a} - b); }

int16_t ToInt16Checked(int32_t v) {
  if (v > std::numeric_limits<int16_t>::max() || v < std::numeric_limits<int16_t>::min()) {
    throw std::overflow_error("16-bit overflow");
  }
  return static_cast<int16_t>(v);
}

Rgb TabPrimitives::GetRGBFromOLE(OleColor color) const {
  return TranslateOleColor(color, *colors_);
}

void TabPrimitives::APILine(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2,
                            OleColor& color) {
  RaiseAs("TabStrip.APILine", [&] {
    color = GetRGBFromOLE(color);
    surface_->SetPen(color);
    surface_->MoveTo(x1, y1);
    surface_->LineTo(x2, y2);
  });
}

int32_t TabPrimitives::APIRectangle(int32_t x, int32_t y, int32_t width, int32_t height,
                                    OleColor& color) {
  return RaiseAs("TabStrip.APIRectangle", [&] {
    const int32_t right = AddChecked(x, width);
    const int32_t bottom = AddChecked(y, height);
    color = GetRGBFromOLE(color);
    surface_->SetPen(color);
    // The closing LineTo ends on the start point, which MoveTo's first segment
    // already painted, so all four corners are set.
    surface_->MoveTo(x, y);
    surface_->LineTo(right, y);
    surface_->LineTo(right, bottom);
    surface_->LineTo(x, bottom);
    surface_->LineTo(x, y);
    return int32_t{0};
  });
}

void TabPrimitives::APIFillRectByCoords(int32_t x, int32_t y, int32_t width, int32_t height,
                                        OleColor& color) {
  RaiseAs("TabStrip.APIFillRectByCoords", [&] {
    const Rect r{x, y, AddChecked(x, width), AddChecked(y, height)};
    color = GetRGBFromOLE(color);
    surface_->FillRect(r, color);  // a brush fill: the pen mode does not apply
  });
}

void TabPrimitives::Cls(OleColor backColor) {
  RaiseAs("TabStrip.Cls", [&] { surface_->Clear(GetRGBFromOLE(backColor)); });
}

int32_t TabPrimitives::pGetRValue(Rgb color) {
  return RaiseAs("TabStrip.pGetRValue", [&] { return static_cast<int32_t>(color & 0xFF); });
}

int32_t TabPrimitives::pGetGValue(Rgb color) {
  return RaiseAs("TabStrip.pGetGValue",
                 [&] { return static_cast<int32_t>(((color & 0xFFFFFF00u) / 256) & 0xFF); });
}

int32_t TabPrimitives::pGetBValue(Rgb color) {
  return RaiseAs("TabStrip.pGetBValue",
                 [&] { return static_cast<int32_t>(((color & 0xFF0000u) / 65536) & 0xFF); });
}

Rgb TabPrimitives::OffsetColor(OleColor& color, int32_t& offset) {
  return RaiseAs("TabStrip.OffsetColor", [&] {
    color = GetRGBFromOLE(color);
    // Sums are 32-bit in the host; only an offset near the limit overflows.
    const int32_t red = AddChecked(RedOf(color), offset);
    const int32_t green = AddChecked(GreenOf(color), offset);
    const int32_t blue = AddChecked(BlueOf(color), offset);
    return MakeRgb(ClampChannel(red), ClampChannel(green), ClampChannel(blue));
  });
}

void TabPrimitives::CurvedRow(const Rect& r, int32_t y, int32_t c, bool leftCut, bool rightCut,
                              Rgb color) {
  int32_t x1 = r.left;
  int32_t x2 = r.right;
  if (c != kNoCurve) {
    if (leftCut) x1 = AddChecked(AddChecked(r.left, c), 1);
    // Neither flag set cuts the right corner, as the right flag alone does.
    if (rightCut || !leftCut) x2 = SubChecked(r.right, c);
  }
  surface_->SetPen(color);
  surface_->MoveTo(x1, y);
  surface_->LineTo(x2, y);
}

void TabPrimitives::pFillCurvedSolid(Rect r, OleColor color, int16_t curve, bool& leftCut,
                                     bool& rightCut) {
  RaiseAs("TabStrip.pFillCurvedSolid",
          [&] { pFillCurvedSolidR(r, color, curve, leftCut, rightCut); });
}

void TabPrimitives::pFillCurvedSolidR(Rect& r, OleColor color, int16_t curve, bool& leftCut,
                                      bool& rightCut) {
  RaiseAs("TabStrip.pFillCurvedSolidR", [&] {
    const Rgb rgb = GetRGBFromOLE(color);
    int32_t c = curve;
    // Rows outside the surface paint nothing; only the chamfer countdown of
    // the rows above it matters, so start at the first visible row.
    int64_t y = r.top;
    if (y < 0 && r.bottom >= 0) {
      if (c > 0) c = static_cast<int32_t>(std::max<int64_t>(0, c + y));
      y = 0;
    }
    const int64_t lastVisible = std::min<int64_t>(r.bottom, int64_t{surface_->Height()} - 1);
    for (; y <= lastVisible; ++y) {
      CurvedRow(r, static_cast<int32_t>(y), c, leftCut, rightCut, rgb);
      if (c > 0) --c;
    }
    // The host's loop counter steps past Bottom once; at the 32-bit limit that
    // step overflows.
    if (r.bottom == std::numeric_limits<int32_t>::max() && r.top <= r.bottom) {
      throw std::overflow_error("row counter");
    }
  });
}

void TabPrimitives::pFillCurvedGradient(Rect r, OleColor start, OleColor end, int16_t curve,
                                        bool& leftCut, bool& rightCut) {
  RaiseAs("TabStrip.pFillCurvedGradient",
          [&] { pFillCurvedGradientR(r, start, end, curve, leftCut, rightCut); });
}

void TabPrimitives::pFillCurvedGradientR(Rect& r, OleColor start, OleColor end, int16_t curve,
                                         bool& leftCut, bool& rightCut) {
  RaiseAs("TabStrip.pFillCurvedGradientR", [&] {
    const Rgb s = GetRGBFromOLE(start);
    const Rgb e = GetRGBFromOLE(end);
    const int32_t h = SubChecked(r.bottom, r.top);
    // A one-row rectangle (Bottom = Top) would divide by zero; it paints its
    // single row in the start colour.
    const double divisor = h == 0 ? 1.0 : static_cast<double>(h);
    const float dR = static_cast<float>((RedOf(e) - RedOf(s)) / divisor);
    const float dG = static_cast<float>((GreenOf(e) - GreenOf(s)) / divisor);
    const float dB = static_cast<float>((BlueOf(e) - BlueOf(s)) / divisor);
    float red = static_cast<float>(RedOf(s));
    float green = static_cast<float>(GreenOf(s));
    float blue = static_cast<float>(BlueOf(s));
    int32_t c = curve;
    const int64_t lastVisible = std::min<int64_t>(r.bottom, int64_t{surface_->Height()} - 1);
    for (int64_t y = r.top; y <= lastVisible; ++y) {
      // Rows above the surface still advance the running colours (float sums
      // must match row by row) and the chamfer.
      if (y >= 0) {
        const Rgb rowColor = MakeRgb(ClampChannel(RoundHalfEven(red)),
                                     ClampChannel(RoundHalfEven(green)),
                                     ClampChannel(RoundHalfEven(blue)));
        CurvedRow(r, static_cast<int32_t>(y), c, leftCut, rightCut, rowColor);
      }
      if (c > 0) --c;
      red += dR;
      green += dG;
      blue += dB;
    }
    if (r.bottom == std::numeric_limits<int32_t>::max() && r.top <= r.bottom) {
      throw std::overflow_error("row counter");
    }
  });
}

void TabPrimitives::pPaintPicture(const Picture& picture, int16_t x, int16_t y, int16_t width,
                                  int16_t height) {
  RaiseAs("TabStrip.pPaintPicture", [&] {
    const std::optional<int32_t> w =
        width != -1 ? std::optional<int32_t>(width) : std::nullopt;
    const std::optional<int32_t> h =
        height != -1 ? std::optional<int32_t>(height) : std::nullopt;
    surface_->DrawPicture(picture, x, y, w, h);
  });
}

void TabPrimitives::DrawImage(Surface& dest, const Picture& bitmap, Rgb transColor,
                              int16_t iLeft, int16_t iTop, int16_t iWidth, int16_t iHeight) {
  RaiseAs("TabStrip.DrawImage", [&] {
    dest.DrawTransparent(bitmap, iLeft, iTop, iWidth, iHeight, transColor);
  });
}

}  // namespace tarvex
