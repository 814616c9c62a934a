// Readable GoogleTest output for the geometry types ("(l, t, r, b)").
#pragma once

#include <ostream>

#include "common/geometry.h"

namespace tarvex {

inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const Size& s, std::ostream* os) { *os << s.width << " x " << s.height; }

}  // namespace tarvex
