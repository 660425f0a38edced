#include "params/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace corvel {

int FormatInt(int64_t v, char* out) {
  const auto res = std::to_chars(out, out + kNumberCapacity - 1, v);
  *res.ptr = '\0';
  return static_cast<int>(res.ptr - out);
}

int FormatFixed(float v, int decimals, char* out) {
  static constexpr double kScale[3] = {1.0, 10.0, 100.0};
  if (decimals < 0) decimals = 0;
  if (decimals > 2) decimals = 2;
  if (!std::isfinite(v)) v = 0.0f;
  // A float has 24 significant bits, so v * 100 is exact in double: std::round then sees the
  // true distance to each neighbour, and rounds ties away from zero.
  const double scaled = std::round(static_cast<double>(v) * kScale[decimals]);
  const bool negative = scaled < 0.0;
  const double magnitude = std::fabs(scaled);

  // The rounded magnitude as digits, padded so that one digit stands before the point.
  char digits[kNumberCapacity];
  int nd;
  if (magnitude < 9.0e18) {
    const auto res = std::to_chars(digits, digits + sizeof digits, static_cast<int64_t>(magnitude));
    nd = static_cast<int>(res.ptr - digits);
  } else {
    nd = std::snprintf(digits, sizeof digits, "%.0f", magnitude);
  }
  const int pad = nd < decimals + 1 ? decimals + 1 - nd : 0;

  int len = 0;
  if (negative) out[len++] = '-';  // a result of zero is never negative: -0.0 < 0.0 is false
  const int total = pad + nd;
  for (int i = 0; i < total; ++i) {
    if (i == total - decimals && decimals > 0) out[len++] = '.';
    out[len++] = i < pad ? '0' : digits[i - pad];
  }
  out[len] = '\0';
  return len;
}

}  // namespace corvel
