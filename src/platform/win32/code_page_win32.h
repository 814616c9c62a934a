// CodePage of the system's ANSI code page (CP_ACP).
#pragma once

#include "platform/code_page.h"

namespace tarvex {

class Win32CodePage final : public CodePage {
 public:
  std::string Utf8ToAnsi(std::string_view utf8) const override;
  std::string AnsiToUtf8(std::string_view ansi) const override;
  bool IsLeadByte(uint8_t byte) const override;
};

}  // namespace tarvex
