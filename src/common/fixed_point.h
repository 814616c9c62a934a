// A 64-bit integer scaled by 10,000 (four decimal places), the currency type in
// which disk byte counts and CPU time figures travel.
#pragma once

#include <cstdint>

#include "common/rounding.h"

namespace tarvex {

class Fixed4 {
 public:
  static constexpr int64_t kScale = 10000;

  constexpr Fixed4() = default;
  static constexpr Fixed4 FromScaled(int64_t scaled) { return Fixed4(scaled); }
  static constexpr Fixed4 FromInteger(int64_t whole) { return Fixed4(whole * kScale); }
  // Rounds to the nearest 1/10,000, halves to even.
  static Fixed4 FromDouble(double v) { return Fixed4(RoundHalfEven(v * kScale)); }

  constexpr int64_t Scaled() const { return scaled_; }
  constexpr double ToDouble() const { return static_cast<double>(scaled_) / kScale; }

  friend constexpr Fixed4 operator+(Fixed4 a, Fixed4 b) { return Fixed4(a.scaled_ + b.scaled_); }
  friend constexpr Fixed4 operator-(Fixed4 a, Fixed4 b) { return Fixed4(a.scaled_ - b.scaled_); }
  friend constexpr bool operator==(Fixed4, Fixed4) = default;
  friend constexpr auto operator<=>(Fixed4, Fixed4) = default;

 private:
  constexpr explicit Fixed4(int64_t scaled) : scaled_(scaled) {}
  int64_t scaled_ = 0;
};

}  // namespace tarvex
