// Fixed-size arrays with inclusive bounds, as the program state declares
// them (ErgFeld[0..2][0..24][0..32] ...). An index outside the bounds raises
// the subscript fault instead of touching memory it does not own.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

#include "state/fault.h"

namespace welvaro {

template <class T, int Lo, int Hi>
struct Arr {
  static_assert(Hi >= Lo);
  static constexpr int lo = Lo;
  static constexpr int hi = Hi;
  std::array<T, static_cast<std::size_t>(Hi - Lo + 1)> v{};

  static constexpr bool inBounds(long i) { return i >= Lo && i <= Hi; }

  T& operator[](long i) {
    if (!inBounds(i)) raise(kFaultSubscript);
    return v[static_cast<std::size_t>(i - Lo)];
  }
  const T& operator[](long i) const {
    if (!inBounds(i)) raise(kFaultSubscript);
    return v[static_cast<std::size_t>(i - Lo)];
  }
  // Index given as a whole-valued number (hour, slot and frequency indices
  // are held as doubles); rounded half to even like a classic subscript.
  T& operator[](double x) { return (*this)[toIndex(x)]; }
  const T& operator[](double x) const { return (*this)[toIndex(x)]; }
  T& operator[](int i) { return (*this)[static_cast<long>(i)]; }
  const T& operator[](int i) const { return (*this)[static_cast<long>(i)]; }
  T& operator[](short i) { return (*this)[static_cast<long>(i)]; }
  const T& operator[](short i) const { return (*this)[static_cast<long>(i)]; }

  static long toIndex(double x) {
    if (!(x > -1e9 && x < 1e9)) raise(kFaultSubscript);
    const long i = static_cast<long>(x);
    return i == x ? i : static_cast<long>(std::nearbyint(x));  // halves go to even
  }

  void fill(const T& x) { v.fill(x); }
};

}  // namespace welvaro
