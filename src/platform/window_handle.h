// The opaque window handle every platform interface passes: an HWND's value
// (or another platform's window id) as an integer, so no OS header is needed.
#pragma once

#include <cstdint>

namespace tarvex {

using WindowHandle = int64_t;  // 0 = none

}  // namespace tarvex
