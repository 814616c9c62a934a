// The keystroke-sending service's key strings, parsed: "+" holds Shift, "^"
// Ctrl and "%" Alt for the next key or "(group)"; "{Tab}", "{Enter}", "{Esc}",
// "{Left}" ... name keys; "{+}" and the like are the literal characters; every
// other character is typed as itself. Windows virtual-key numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarvex {

struct KeyStroke {
  uint16_t virtualKey = 0;  // a named key, or 0 for a typed character
  char32_t character = 0;   // the character when virtualKey is 0
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// nullopt for an unknown "{name}", an unclosed brace or a dangling modifier.
std::optional<std::vector<KeyStroke>> ParseSendKeys(std::string_view keys);

}  // namespace tarvex
