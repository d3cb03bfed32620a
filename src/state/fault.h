// Run-time faults of the model and the checked arithmetic that raises them.
//
// A numeric fault (division by zero, logarithm or square root of a negative
// number, overflow) or an index outside an array's bounds ends the current
// calculation at once. Inside the model the fault travels as a ModelFault
// exception; every model routine catches it at its boundary and returns the
// fault's code, so callers see 0 (success) or the code.
#pragma once

#include <cmath>

namespace welvaro {

// Codes as the classic BASIC run-time reports them.
enum FaultCode : int {
  kFaultNone = 0,
  kFaultInvalidCall = 5,    // logarithm or root of a negative number
  kFaultOverflow = 6,       // result too large (or not a number)
  kFaultSubscript = 9,      // index outside an array's bounds
  kFaultDivisionByZero = 11,
};

struct ModelFault {
  int code;
};

// Human-readable name of a fault code, in English ("division by zero").
const char* faultName(int code);

[[noreturn]] inline void raise(int code) { throw ModelFault{code}; }

// A value that must be a finite number.
inline double fin(double x) {
  if (!std::isfinite(x)) raise(kFaultOverflow);
  return x;
}

inline double cdiv(double a, double b) {
  if (b == 0.0) raise(kFaultDivisionByZero);
  return fin(a / b);
}

inline double csqrt(double x) {
  if (x < 0.0 || std::isnan(x)) raise(kFaultInvalidCall);
  return std::sqrt(x);
}

inline double cln(double x) {
  if (!(x > 0.0)) raise(kFaultInvalidCall);
  return fin(std::log(x));
}

// Power with the rules of the classic ^ operator: a negative base needs a
// whole exponent, zero to a negative power divides by zero.
inline double cpow(double b, double e) {
  if (b < 0.0 && e != std::floor(e)) raise(kFaultInvalidCall);
  if (b == 0.0 && e < 0.0) raise(kFaultDivisionByZero);
  return fin(std::pow(b, e));
}

// Runs a model routine body and turns a fault into its code.
template <class F>
int guarded(F&& body) {
  try {
    body();
    return kFaultNone;
  } catch (const ModelFault& f) {
    return f.code;
  }
}

}  // namespace welvaro
