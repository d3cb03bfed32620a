// Rounding rules used throughout: Int (floor), Fix (towards zero) and the
// conversion to the nearest whole number, which rounds halves to even.
#pragma once

#include <cmath>

namespace welvaro {

// Largest whole number not greater than x: Int(-3.5) = -4.
inline double Int(double x) { return std::floor(x); }

// Drops the fraction towards zero: Fix(-3.5) = -3.
inline double Fix(double x) { return std::trunc(x); }

// Nearest whole number, halves to even: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
// Independent of the floating-point rounding mode.
inline double RoundEven(double x) {
  double f = std::floor(x);
  double d = x - f;
  if (d > 0.5) return f + 1.0;
  if (d < 0.5) return f;
  return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

}  // namespace welvaro
