// Access key, window shape and rectangles of the gradient button.
#include "button/command_layout.h"

namespace tarvex {
namespace {

char ToLowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += IsContinuationByte(c) ? 0 : 1;
  return count;
}

// The whole UTF-8 character that starts at byte `at`.
std::string CharacterAt(std::string_view text, size_t at) {
  size_t end = at + 1;
  while (end < text.size() && IsContinuationByte(text[end])) ++end;
  std::string out(text.substr(at, end - at));
  if (out.size() == 1) out[0] = ToLowerAscii(out[0]);
  return out;
}

}  // namespace

std::optional<std::string> CommandAccessKey(std::string_view caption) {
  if (CharacterCount(caption) < 2) return std::nullopt;
  // "&" is ASCII, so byte positions of "&" are character boundaries.
  size_t p = caption.find('&');
  while (p != std::string_view::npos && p + 1 < caption.size()) {
    if (caption[p + 1] != '&') return CharacterAt(caption, p + 1);
    p = caption.find('&', p + 2);
  }
  return std::nullopt;
}

bool HasCutCorners(int32_t buttonType) {
  return buttonType == 3 || buttonType == 4 || buttonType == 8 || buttonType == 9;
}

WindowShape CommandWindowShape(int32_t buttonType, int32_t width, int32_t height) {
  WindowShape shape{{width, height}, {}};
  if (!HasCutCorners(buttonType)) return shape;
  const int32_t w = width;
  const int32_t h = height;
  shape.cuts = {
      {0, 0, 2, 1},         {0, 1, 1, 2},          // top left
      {w - 2, 0, w, 1},     {w - 1, 1, w, 2},      // top right
      {0, h - 1, 2, h},     {0, h - 2, 1, h - 1},  // bottom left
      {w - 2, h - 1, w, h}, {w - 1, h - 2, w, h - 1},  // bottom right
  };
  return shape;
}

CommandRects CommandRectsFor(int32_t width, int32_t height) {
  return {{0, 0, width, height}, {2, 2, width, height}, {2, 2, width - 2, height - 2}};
}

}  // namespace tarvex
