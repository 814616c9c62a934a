// Surface over a real HDC (see gdi_surface.h). Pens and brushes are owned by
// the surface and stay selected; the DC gets its old objects back at the end.
#include "platform/win32/gdi_surface.h"

#include <cstring>

#include "platform/win32/gdi_text_engine.h"

namespace tarvex {

GdiSurface::GdiSurface(HDC dc, int32_t width, int32_t height)
    : dc_(dc), width_(width), height_(height) {
  pen_.Reset(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  oldPen_ = SelectObject(dc_, pen_.Get());
  oldBrush_ = SelectObject(dc_, GetStockObject(NULL_BRUSH));
  oldRop_ = SetROP2(dc_, R2_COPYPEN);
  oldBkMode_ = SetBkMode(dc_, TRANSPARENT);
}

GdiSurface::~GdiSurface() {
  SelectObject(dc_, oldPen_);
  SelectObject(dc_, oldBrush_);
  if (oldFont_ != nullptr) SelectObject(dc_, oldFont_);
  SetROP2(dc_, oldRop_);
  SetBkMode(dc_, oldBkMode_);
}

void GdiSurface::SetPen(Rgb color) {
  UniquePen next(CreatePen(PS_SOLID, 1, ToColorRef(color)));
  SelectObject(dc_, next.Get());
  pen_ = std::move(next);  // the previous pen is no longer selected: delete it
}

void GdiSurface::SetBrush(std::optional<Rgb> color) {
  UniqueBrush next(color ? CreateSolidBrush(ToColorRef(*color)) : nullptr);
  SelectObject(dc_, next ? static_cast<HGDIOBJ>(next.Get()) : GetStockObject(NULL_BRUSH));
  brush_ = std::move(next);
}

void GdiSurface::SetPenMode(PenMode mode) {
  mode_ = mode;
  SetROP2(dc_, mode == PenMode::XorPen ? R2_XORPEN : R2_COPYPEN);
}

void GdiSurface::SetFont(const FontDesc& font) {
  UniqueFont next = CreateFontFor(font);
  HGDIOBJ old = SelectObject(dc_, next.Get());
  if (oldFont_ == nullptr) oldFont_ = old;
  font_ = std::move(next);
}

void GdiSurface::SetTextColor(Rgb color) { ::SetTextColor(dc_, ToColorRef(color)); }

void GdiSurface::MoveTo(int32_t x, int32_t y) { MoveToEx(dc_, x, y, nullptr); }
void GdiSurface::LineTo(int32_t x, int32_t y) { ::LineTo(dc_, x, y); }

void GdiSurface::LineToInclusive(int32_t x, int32_t y) {
  ::LineTo(dc_, x, y);
  // the end point as a one-pixel line, so the pen mode applies to it too
  ::LineTo(dc_, x == INT32_MAX ? x - 1 : x + 1, y);
  MoveToEx(dc_, x, y, nullptr);
}

Point GdiSurface::CurrentPosition() const {
  POINT p{};
  GetCurrentPositionEx(dc_, &p);
  return {p.x, p.y};
}

void GdiSurface::FillRect(const Rect& r, Rgb color) {
  UniqueBrush b(CreateSolidBrush(ToColorRef(color)));
  RECT rc{r.left, r.top, r.right, r.bottom};
  ::FillRect(dc_, &rc, b.Get());
}

void GdiSurface::FrameRect(const Rect& r, Rgb color) {
  UniqueBrush b(CreateSolidBrush(ToColorRef(color)));
  RECT rc{r.left, r.top, r.right, r.bottom};
  ::FrameRect(dc_, &rc, b.Get());
}

void GdiSurface::RoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom,
                           int32_t ellipseWidth, int32_t ellipseHeight) {
  ::RoundRect(dc_, left, top, right, bottom, ellipseWidth, ellipseHeight);
}

void GdiSurface::DrawFocusRect(const Rect& r) {
  RECT rc{r.left, r.top, r.right, r.bottom};
  ::DrawFocusRect(dc_, &rc);
}

void GdiSurface::Clear(Rgb backColor) { FillRect({0, 0, width_, height_}, backColor); }

// Single pixels take exactly the given colour in every pen mode (the overlay
// of the tab control relies on it); Wine would combine them with the ROP2.
void GdiSurface::SetPixel(int32_t x, int32_t y, Rgb color) {
  const int rop = SetROP2(dc_, R2_COPYPEN);
  SetPixelV(dc_, x, y, ToColorRef(color));
  SetROP2(dc_, rop);
}

Rgb GdiSurface::GetPixel(int32_t x, int32_t y) const {
  COLORREF c = ::GetPixel(dc_, x, y);
  return c == CLR_INVALID ? kInvalidColor : static_cast<Rgb>(c);
}

int32_t GdiSurface::DrawText(std::string& text, Rect& r, uint32_t flags) {
  return DrawTextUtf8(dc_, text, r, flags);
}

Size GdiSurface::MeasureText(std::string_view text) { return MeasureTextUtf8(dc_, text); }

UniqueBitmap PictureToDib(const Picture& picture, HDC compatible) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = picture.width;
  bi.bmiHeader.biHeight = -picture.height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bmp(CreateDIBSection(compatible, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp || bits == nullptr) return UniqueBitmap();
  auto* px = static_cast<uint32_t*>(bits);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    const Rgb c = picture.pixels[i];
    px[i] = ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
  }
  GdiFlush();
  return bmp;
}

namespace {

bool Drawable(const Picture& p) {
  return p.type != PictureType::None && p.width > 0 && p.height > 0 &&
         p.pixels.size() >= static_cast<size_t>(p.width) * static_cast<size_t>(p.height);
}

// A colour the picture does not use, to stand for its transparent pixels.
Rgb UnusedColor(const Picture& p) {
  for (Rgb candidate : {0xFF00FFu, 0x00FF01u, 0x010203u, 0xFEFDFCu}) {
    bool used = false;
    for (Rgb c : p.pixels) used = used || (c & 0xFFFFFFu) == candidate;
    if (!used) return candidate;
  }
  return 0x123456u;
}

}  // namespace

void GdiSurface::DrawPicture(const Picture& picture, int32_t x, int32_t y,
                             std::optional<int32_t> width, std::optional<int32_t> height) {
  if (!Drawable(picture)) return;
  const int32_t w = width.value_or(picture.width), h = height.value_or(picture.height);
  if (!picture.alpha.empty()) {  // an icon: its transparent pixels as a key colour
    Picture keyed = picture;
    const Rgb key = UnusedColor(picture);
    for (size_t i = 0; i < keyed.pixels.size(); ++i)
      if (keyed.alpha[i] == 0) keyed.pixels[i] = key;
    keyed.alpha.clear();
    DrawTransparent(keyed, x, y, w, h, key);
    return;
  }
  UniqueMemoryDc mem = CreateMemoryDc(dc_);
  UniqueBitmap bmp = PictureToDib(picture, dc_);
  UniqueSelection sel = SelectInto(mem.Get(), bmp.Get());
  const int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
  StretchBlt(dc_, x, y, w, h, mem.Get(), 0, 0, picture.width, picture.height, SRCCOPY);
  SetStretchBltMode(dc_, oldMode);
}

void GdiSurface::DrawTransparent(const Picture& picture, int32_t x, int32_t y, int32_t width,
                                 int32_t height, Rgb maskColor) {
  if (!Drawable(picture)) return;
  UniqueMemoryDc mem = CreateMemoryDc(dc_);
  UniqueBitmap bmp = PictureToDib(picture, dc_);
  UniqueSelection sel = SelectInto(mem.Get(), bmp.Get());
  TransparentBlt(dc_, x, y, width, height, mem.Get(), 0, 0, picture.width, picture.height,
                 ToColorRef(maskColor));
}

}  // namespace tarvex
