// The one rounding rule of the program: to the nearest integer, halves to the
// even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
#pragma once

#include <cmath>
#include <cstdint>

namespace tarvex {

inline int64_t RoundHalfEven(double v) {
  double r = std::round(v);  // halves away from zero
  if (std::fabs(v - std::trunc(v)) == 0.5) r = 2.0 * std::round(v / 2.0);
  return static_cast<int64_t>(r);
}

inline int32_t RoundHalfEven32(double v) { return static_cast<int32_t>(RoundHalfEven(v)); }

}  // namespace tarvex
