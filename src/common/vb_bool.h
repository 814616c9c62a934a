// Booleans that a control stores or hands to its host are 16-bit: true = -1.
#pragma once

#include <cstdint>

namespace tarvex {

using VbBool = int16_t;
inline constexpr VbBool kVbTrue = -1;
inline constexpr VbBool kVbFalse = 0;

constexpr VbBool ToVbBool(bool b) { return b ? kVbTrue : kVbFalse; }
constexpr bool FromVbBool(VbBool v) { return v != 0; }

}  // namespace tarvex
