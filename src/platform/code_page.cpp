// Cutting ANSI text the way a Windows A call with a fixed buffer does.
#include "platform/code_page.h"

#include <algorithm>

namespace tarvex {

std::string CutAnsi(std::string_view ansi, size_t maxBytes, const CodePage& codePage) {
  const size_t nul = ansi.find('\0');
  if (nul != std::string_view::npos) ansi = ansi.substr(0, nul);
  size_t end = 0;
  while (end < ansi.size()) {
    // A character cut short by the text's end counts for the bytes it has.
    const size_t width =
        std::min(std::max<size_t>(codePage.CharacterBytes(static_cast<uint8_t>(ansi[end])), 1), ansi.size() - end);
    if (end + width > maxBytes) break;  // never half a character
    end += width;
  }
  return std::string(ansi.substr(0, end));
}

}  // namespace tarvex
