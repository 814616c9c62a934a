// The drawing surface over a real device context: every member is the GDI call
// it names. The oracle of the differential test (the raster must match it
// pixel for pixel outside text); the DC is not owned.
#pragma once

#include <windows.h>
#undef DrawText  // keep the surface member's name (see unique_handle.h)

#include "platform/surface.h"
#include "platform/win32/unique_handle.h"

namespace tarvex {

class GdiSurface final : public Surface {
 public:
  // `dc` must outlive the surface; width x height is its drawable area in pixels.
  GdiSurface(HDC dc, int32_t width, int32_t height);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void SetPen(Rgb color) override;
  void SetBrush(std::optional<Rgb> color) override;
  void SetPenMode(PenMode mode) override;
  PenMode GetPenMode() const override { return mode_; }
  void SetFont(const FontDesc& font) override;
  void SetTextColor(Rgb color) override;
  void MoveTo(int32_t x, int32_t y) override;
  void LineTo(int32_t x, int32_t y) override;
  void LineToInclusive(int32_t x, int32_t y) override;
  Point CurrentPosition() const override;
  void FillRect(const Rect& r, Rgb color) override;
  void FrameRect(const Rect& r, Rgb color) override;
  void RoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ellipseWidth,
                 int32_t ellipseHeight) override;
  void DrawFocusRect(const Rect& r) override;
  void Clear(Rgb backColor) override;
  void SetPixel(int32_t x, int32_t y, Rgb color) override;
  Rgb GetPixel(int32_t x, int32_t y) const override;
  int32_t DrawText(std::string& text, Rect& r, uint32_t flags) override;
  Size MeasureText(std::string_view text) override;
  void DrawPicture(const Picture& picture, int32_t x, int32_t y,
                   std::optional<int32_t> width = std::nullopt,
                   std::optional<int32_t> height = std::nullopt) override;
  void DrawTransparent(const Picture& picture, int32_t x, int32_t y, int32_t width, int32_t height,
                       Rgb maskColor) override;

 private:
  HDC dc_;
  int32_t width_;
  int32_t height_;
  PenMode mode_ = PenMode::CopyPen;
  UniquePen pen_;      // selected into dc_ while the surface lives
  UniqueBrush brush_;  // nullptr = hollow (the stock NULL_BRUSH is selected)
  UniqueFont font_;
  HGDIOBJ oldPen_ = nullptr;
  HGDIOBJ oldBrush_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
  int oldRop_ = 0;
  int oldBkMode_ = 0;
};

// A 32-bit top-down DIB holding the picture's pixels (opaque), for blits.
UniqueBitmap PictureToDib(const Picture& picture, HDC compatible);

}  // namespace tarvex
