// The portable raster: a 32-bit pixel buffer drawn with GDI's pixel rules. The
// program paints with it into a DIB section; tests read its pixels back. Text is
// delegated to a TextEngine (a built-in deterministic font unless the host
// supplies GDI's).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/surface.h"
#include "platform/text_engine.h"

// A Win32 header included earlier maps DrawText to DrawTextW; the members
// below keep their own name in every translation unit.
#ifdef DrawText
#undef DrawText
#endif

namespace tarvex {

class RasterSurface final : public Surface {
 public:
  // Pixels start as white. With no text engine the built-in test font is used.
  RasterSurface(int32_t width, int32_t height, TextEngine* text = nullptr);
  // Draws into caller-owned pixels (a DIB section: top-down, 0x00RRGGBB per
  // pixel as Windows stores it); the buffer must outlive the surface.
  RasterSurface(int32_t width, int32_t height, uint32_t* bgraPixels, TextEngine* text);
  ~RasterSurface() override;

  void Resize(int32_t width, int32_t height);  // owned buffers only; contents cleared
  // Draws into other caller-owned pixels from now on (a re-created DIB
  // section); the buffer must outlive the surface or the next Attach.
  void Attach(int32_t width, int32_t height, uint32_t* bgraPixels);
  void SetTextEngine(TextEngine* text);

  // Pixels as RGB values (red in the low byte), row major.
  Rgb At(int32_t x, int32_t y) const;
  const uint32_t* Data() const;

  int32_t Width() const override;
  int32_t Height() const override;
  void SetPen(Rgb color) override;
  void SetBrush(std::optional<Rgb> color) override;
  void SetPenMode(PenMode mode) override;
  PenMode GetPenMode() const override;
  void SetFont(const FontDesc& font) override;
  void SetTextColor(Rgb color) override;
  void MoveTo(int32_t x, int32_t y) override;
  void LineTo(int32_t x, int32_t y) override;
  void LineToInclusive(int32_t x, int32_t y) override;
  void PolylineInclusive(std::span<const Point> points) override;
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

  // Implementation detail shared by the raster's source files (raster_state.h).
  struct State;

 private:
  std::unique_ptr<State> s_;
};

}  // namespace tarvex
