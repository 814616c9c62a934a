// Layout of the gradient button: the access key of a caption, the window shape
// of a button type, and the rectangles derived from the inner size. Pure.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "button/command_site.h"
#include "common/geometry.h"

namespace tarvex {

// The caption's access key (one UTF-8 character, ASCII letters in lower case),
// or nullopt. "&&" is a literal "&"; the marked character must exist and must
// not itself be "&". Lengths count characters, not bytes.
std::optional<std::string> CommandAccessKey(std::string_view caption);

// Types 3, 4, 8 and 9 lose three pixels at each corner; the rest stay rectangular.
bool HasCutCorners(int32_t buttonType);
WindowShape CommandWindowShape(int32_t buttonType, int32_t width, int32_t height);

// Rectangles derived from the inner size W x H (pixels of the surface).
struct CommandRects {
  Rect surface;  // (0, 0, W, H)
  Rect caption;  // (2, 2, W, H); the paint moves its top (t)
  Rect focus;    // (2, 2, W - 2, H - 2)
};
CommandRects CommandRectsFor(int32_t width, int32_t height);

}  // namespace tarvex
