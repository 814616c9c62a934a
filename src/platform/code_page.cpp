// Cutting ANSI text the way a Windows A call with a fixed buffer does.
#include "platform/code_page.h"

namespace tarvex {

std::string CutAnsi(std::string_view ansi, size_t maxBytes, const CodePage& codePage) {
  const size_t nul = ansi.find('\0');
  if (nul != std::string_view::npos) ansi = ansi.substr(0, nul);
  size_t end = 0;
  while (end < ansi.size()) {
    const size_t width =
        (codePage.IsLeadByte(static_cast<uint8_t>(ansi[end])) && end + 1 < ansi.size()) ? 2 : 1;
    if (end + width > maxBytes) break;  // never half a double-byte character
    end += width;
  }
  return std::string(ansi.substr(0, end));
}

}  // namespace tarvex
