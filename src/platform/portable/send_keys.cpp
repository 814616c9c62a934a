// Parser of the keystroke-sending service's key strings (see send_keys.h).
#include "platform/send_keys.h"

#include <cctype>
#include <string>

#include "platform/raster/text_layout.h"

namespace tarvex {
namespace {

struct NamedKey {
  std::string_view name;
  uint16_t vk;
};

// Virtual-key numbers of the named keys (VK_TAB, VK_RETURN, ...).
constexpr NamedKey kNamedKeys[] = {
    {"TAB", 0x09},    {"ENTER", 0x0D},  {"ESC", 0x1B},     {"ESCAPE", 0x1B}, {"BACKSPACE", 0x08},
    {"BS", 0x08},     {"BKSP", 0x08},   {"DELETE", 0x2E},  {"DEL", 0x2E},    {"INSERT", 0x2D},
    {"INS", 0x2D},    {"HOME", 0x24},   {"END", 0x23},     {"PGUP", 0x21},   {"PGDN", 0x22},
    {"LEFT", 0x25},   {"UP", 0x26},     {"RIGHT", 0x27},   {"DOWN", 0x28},   {"SPACE", 0x20},
    {"F1", 0x70},     {"F2", 0x71},     {"F3", 0x72},      {"F4", 0x73},     {"F5", 0x74},
    {"F6", 0x75},     {"F7", 0x76},     {"F8", 0x77},      {"F9", 0x78},     {"F10", 0x79},
    {"F11", 0x7A},    {"F12", 0x7B},
};

std::optional<uint16_t> NamedKeyCode(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const NamedKey& k : kNamedKeys)
    if (k.name == upper) return k.vk;
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<KeyStroke>> ParseSendKeys(std::string_view keys) {
  std::u32string s = DecodeUtf8(keys);
  std::vector<KeyStroke> out;
  bool shift = false, ctrl = false, alt = false;
  int group = 0;  // depth of "(...)" under the modifiers
  bool groupShift = false, groupCtrl = false, groupAlt = false;
  auto emit = [&](KeyStroke k) {
    k.shift = shift || (group > 0 && groupShift);
    k.ctrl = ctrl || (group > 0 && groupCtrl);
    k.alt = alt || (group > 0 && groupAlt);
    out.push_back(k);
    shift = ctrl = alt = false;
  };
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c == U'+') { shift = true; continue; }
    if (c == U'^') { ctrl = true; continue; }
    if (c == U'%') { alt = true; continue; }
    if (c == U'(') {
      if (group > 0) return std::nullopt;
      group = 1;
      groupShift = shift, groupCtrl = ctrl, groupAlt = alt;
      shift = ctrl = alt = false;
      continue;
    }
    if (c == U')') {
      if (group == 0) return std::nullopt;
      group = 0;
      continue;
    }
    if (c == U'{') {
      // "{}}" names the brace itself
      size_t close = s.find(U'}', i + 2);
      if (close == std::u32string::npos) return std::nullopt;
      std::u32string name = s.substr(i + 1, close - i - 1);
      if (name.size() == 1) {
        emit({0, name[0]});
      } else {
        std::optional<uint16_t> vk = NamedKeyCode(EncodeUtf8(name));
        if (!vk) return std::nullopt;
        emit({*vk, 0});
      }
      i = close;
      continue;
    }
    if (c == U'~') {
      emit({0x0D, 0});
      continue;
    }
    emit({0, c});
  }
  if (shift || ctrl || alt || group > 0) return std::nullopt;
  return out;
}

}  // namespace tarvex
