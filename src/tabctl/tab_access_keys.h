// Access keys of tab captions: "&" marks the letter, "&&" is a literal ampersand.
// Keys are Unicode code points of the upper-cased letter (ASCII letters upper-
// cased); captions are UTF-8. No OS header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tabctl/tab_state.h"

namespace tarvex {

// The key of a caption, 0 when it has none. A caption ending in a single "&"
// has no letter after it and raises the invalid-argument error (5).
int32_t AccessKeyOfCaption(std::string_view caption);

// The characters of all non-zero keys, in tab order (UTF-8).
std::string AccessKeyString(const std::vector<TabItem>& tabs);

// UTF-8 encoding of one code point (invalid values give "").
std::string EncodeUtf8(int32_t codePoint);

}  // namespace tarvex
