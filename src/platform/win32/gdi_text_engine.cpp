// GDI text into the raster's DIB pixels (see gdi_text_engine.h).
#include "platform/win32/gdi_text_engine.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"

namespace tarvex {

UniqueFont CreateFontFor(const FontDesc& font) {
  const int height = -static_cast<int>(std::lround(font.sizePt * 96.0 / 72.0));
  std::wstring face = Utf8ToWide(font.name);
  if (face.size() >= LF_FACESIZE) face.resize(LF_FACESIZE - 1);
  return UniqueFont(CreateFontW(height, 0, 0, 0, font.Weight(), font.italic ? TRUE : FALSE,
                     font.underline ? TRUE : FALSE, font.strikethrough ? TRUE : FALSE,
                     static_cast<DWORD>(static_cast<uint8_t>(font.charset)), OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

int32_t DrawTextUtf8(HDC dc, std::string& text, Rect& r, uint32_t flags) {
  std::wstring wide = Utf8ToWide(text);
  // DT_MODIFYSTRING may append up to four characters ("..." and the NUL).
  std::vector<wchar_t> buffer(wide.begin(), wide.end());
  buffer.resize(wide.size() + 5, L'\0');
  RECT rc{r.left, r.top, r.right, r.bottom};
  const int h = ::DrawTextW(dc, buffer.data(), static_cast<int>(wide.size()), &rc, flags);
  r = {rc.left, rc.top, rc.right, rc.bottom};
  if ((flags & DT_MODIFYSTRING) != 0) text = WideToUtf8(std::wstring(buffer.data()));
  return h;
}

Size MeasureTextUtf8(HDC dc, std::string_view text) {
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  std::wstring wide = Utf8ToWide(text);
  int32_t width = 0, lines = 1;
  size_t start = 0;
  for (size_t i = 0; i <= wide.size(); ++i) {
    if (i == wide.size() || wide[i] == L'\n') {
      size_t end = i;
      if (end > start && wide[end - 1] == L'\r') --end;
      SIZE sz{};
      GetTextExtentPoint32W(dc, wide.data() + start, static_cast<int>(end - start), &sz);
      width = std::max<int32_t>(width, sz.cx);
      if (i < wide.size()) ++lines;
      start = i + 1;
    }
  }
  return {width, lines * static_cast<int32_t>(tm.tmHeight)};
}

HFONT GdiTextEngine::FontFor(const FontDesc& font) {
  if (!cachedFont_ || !(cachedFontDesc_ == font)) {
    cachedFont_ = CreateFontFor(font);
    cachedFontDesc_ = font;
  }
  return cachedFont_.Get();
}

int32_t GdiTextEngine::DrawText(std::string& text, Rect& r, uint32_t flags, const FontDesc& font,
                                Rgb color, uint32_t*, int32_t, int32_t) {
  UniqueSelection sel = SelectInto(dc_, FontFor(font));
  const int oldMode = SetBkMode(dc_, TRANSPARENT);
  const COLORREF oldColor = ::SetTextColor(dc_, ToColorRef(color));
  const int32_t h = DrawTextUtf8(dc_, text, r, flags);
  ::SetTextColor(dc_, oldColor);
  SetBkMode(dc_, oldMode);
  return h;
}

Size GdiTextEngine::MeasureText(std::string_view text, const FontDesc& font) {
  UniqueSelection sel = SelectInto(dc_, FontFor(font));
  return MeasureTextUtf8(dc_, text);
}

}  // namespace tarvex
