// The Linux program's narrow text is UTF-8 everywhere, so the "ANSI" edges
// (settings, history file, titles) pass text through unchanged and cut it
// only between whole UTF-8 characters.
#pragma once

#include "platform/code_page.h"

namespace tarvex {

class Utf8CodePage final : public CodePage {
 public:
  std::string Utf8ToAnsi(std::string_view utf8) const override { return std::string(utf8); }
  std::string AnsiToUtf8(std::string_view ansi) const override { return std::string(ansi); }
  bool IsLeadByte(uint8_t) const override { return false; }
  // From the first byte's high bits; a stray continuation byte stands alone.
  size_t CharacterBytes(uint8_t first) const override {
    if (first >= 0xF0 && first < 0xF8) return 4;
    if (first >= 0xE0) return first < 0xF0 ? 3 : 1;
    if (first >= 0xC0) return 2;
    return 1;
  }
};

}  // namespace tarvex
