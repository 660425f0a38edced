// Single-precision arithmetic of the parameters (rule D2): a value that is not finite (division by
// zero, 0/0, log of a non-positive value) is taken as 0 the moment it is computed.
#pragma once

#include <cmath>

namespace corvel {

inline float Finite(float v) {
  return std::isfinite(v) ? v : 0.0f;
}
inline float Div(float a, float b) {
  return Finite(a / b);
}
// log10 in double precision of the float argument, rounded to float; 0 for non-positive values.
inline float Log10f(float v) {
  return v > 0.0f ? Finite(static_cast<float>(std::log10(double{v}))) : 0.0f;
}

}  // namespace corvel
