// A Surface that forwards every call to a raster and logs the calls the tab
// painting tests reason about (fills, rounded rectangles, single pixels, text and
// pictures), so order and arguments can be checked beside the pixels.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/raster/raster_surface.h"

namespace tarvex::testing {

struct PictureCall {
  int32_t x, y;
  std::optional<int32_t> width, height;
  bool transparent;
};

class RecordingSurface final : public Surface {
 public:
  RecordingSurface(int32_t width, int32_t height) : raster(width, height) {}

  RasterSurface raster;
  std::vector<std::string> log;          // "fill l,t,r,b", "roundrect l,t,r,b", "clear"
  std::vector<Point> pixels;             // SetPixel positions, in order
  std::vector<std::string> drawnTexts;   // texts of drawing (not measuring) DrawText calls
  std::vector<PictureCall> pictures;

  int32_t Width() const override { return raster.Width(); }
  int32_t Height() const override { return raster.Height(); }
  void SetPen(Rgb c) override { raster.SetPen(c); }
  void SetBrush(std::optional<Rgb> c) override { raster.SetBrush(c); }
  void SetPenMode(PenMode m) override { raster.SetPenMode(m); }
  PenMode GetPenMode() const override { return raster.GetPenMode(); }
  void SetFont(const FontDesc& f) override { raster.SetFont(f); }
  void SetTextColor(Rgb c) override { raster.SetTextColor(c); }
  void MoveTo(int32_t x, int32_t y) override { raster.MoveTo(x, y); }
  void LineTo(int32_t x, int32_t y) override { raster.LineTo(x, y); }
  void LineToInclusive(int32_t x, int32_t y) override { raster.LineToInclusive(x, y); }
  Point CurrentPosition() const override { return raster.CurrentPosition(); }
  void FillRect(const Rect& r, Rgb c) override {
    log.push_back("fill " + Str(r));
    raster.FillRect(r, c);
  }
  void FrameRect(const Rect& r, Rgb c) override { raster.FrameRect(r, c); }
  void RoundRect(int32_t l, int32_t t, int32_t r, int32_t b, int32_t ew, int32_t eh) override {
    log.push_back("roundrect " + Str({l, t, r, b}));
    raster.RoundRect(l, t, r, b, ew, eh);
  }
  void DrawFocusRect(const Rect& r) override {
    log.push_back("focus " + Str(r));
    raster.DrawFocusRect(r);
  }
  void Clear(Rgb c) override {
    log.push_back("clear");
    raster.Clear(c);
  }
  void SetPixel(int32_t x, int32_t y, Rgb c) override {
    pixels.push_back({x, y});
    raster.SetPixel(x, y, c);
  }
  Rgb GetPixel(int32_t x, int32_t y) const override { return raster.GetPixel(x, y); }
  int32_t DrawText(std::string& text, Rect& r, uint32_t flags) override {
    const bool measuring = (flags & dt::kCalcRect) != 0;
    const int32_t h = raster.DrawText(text, r, flags);
    if (!measuring) drawnTexts.push_back(text);
    return h;
  }
  Size MeasureText(std::string_view text) override { return raster.MeasureText(text); }
  void DrawPicture(const Picture& p, int32_t x, int32_t y, std::optional<int32_t> w,
                   std::optional<int32_t> h) override {
    pictures.push_back({x, y, w, h, false});
    raster.DrawPicture(p, x, y, w, h);
  }
  void DrawTransparent(const Picture& p, int32_t x, int32_t y, int32_t w, int32_t h,
                       Rgb mask) override {
    pictures.push_back({x, y, w, h, true});
    raster.DrawTransparent(p, x, y, w, h, mask);
  }

  static std::string Str(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
  }
};

}  // namespace tarvex::testing
