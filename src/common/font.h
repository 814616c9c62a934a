// A font as a control property holds it (the StdFont of the host): face, size in
// points, style and character set. Only the Win32 layer turns it into an HFONT.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

inline constexpr int16_t kAnsiCharset = 0;
inline constexpr int16_t kDefaultCharset = 1;
inline constexpr int16_t kGb2312Charset = 134;

struct FontDesc {
  std::string name = "MS Sans Serif";  // UTF-8
  double sizePt = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int16_t charset = kAnsiCharset;

  int Weight() const { return bold ? 700 : 400; }
  friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

}  // namespace tarvex
