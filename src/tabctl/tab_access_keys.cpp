// Access-key letters of tab captions.
#include "tabctl/tab_access_keys.h"

#include "common/control_error.h"

namespace tarvex {
namespace {

// The first code point of a non-empty UTF-8 text; a malformed lead byte is taken
// as its own value so a key is still found.
int32_t FirstCodePoint(std::string_view text) {
  const auto b0 = static_cast<unsigned char>(text[0]);
  int extra = 0;
  int32_t cp = b0;
  if (b0 >= 0xF0 && b0 < 0xF8) {
    extra = 3;
    cp = b0 & 0x07;
  } else if (b0 >= 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if (b0 >= 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
  }
  if (extra == 0 || text.size() <= static_cast<size_t>(extra)) return b0;
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(text[static_cast<size_t>(k)]);
    if ((b & 0xC0) != 0x80) return b0;
    cp = (cp << 6) | (b & 0x3F);
  }
  return cp;
}

}  // namespace

int32_t AccessKeyOfCaption(std::string_view caption) {
  std::string copy;
  copy.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') {
      copy.push_back('\x01');
      ++i;
    } else {
      copy.push_back(caption[i]);
    }
  }
  const size_t amp = copy.rfind('&');
  if (amp == std::string::npos) return 0;
  const std::string_view rest = std::string_view(copy).substr(amp + 1);
  if (rest.empty()) throw ControlError(kErrInvalidCall, "");
  int32_t key = FirstCodePoint(rest);
  if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
  return key;
}

std::string EncodeUtf8(int32_t cp) {
  std::string out;
  if (cp <= 0 || cp > 0x10FFFF) return out;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
  return out;
}

std::string AccessKeyString(const std::vector<TabItem>& tabs) {
  std::string keys;
  for (const TabItem& tab : tabs) {
    if (tab.AccessKey != 0) keys += EncodeUtf8(tab.AccessKey);
  }
  return keys;
}

}  // namespace tarvex
