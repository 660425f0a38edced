#include "params/number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace corvel {

int FormatInt(int64_t v, char* out) {
  const auto res = std::to_chars(out, out + kNumberCapacity - 1, v);
  *res.ptr = '\0';
  return static_cast<int>(res.ptr - out);
}

int FormatFixed(float v, int decimals, char* out) {
  static constexpr double kScale[3] = {1.0, 10.0, 100.0};
  static constexpr uint64_t kUnit[3] = {1, 10, 100};
  if (decimals < 0) decimals = 0;
  if (decimals > 2) decimals = 2;
  if (!std::isfinite(v)) v = 0.0f;
  // A float has 24 significant bits, so v * 100 is exact in double, and so is its fraction part:
  // rounding looks at the true distance to each neighbour and takes ties away from zero. From
  // 2^52 on a double is an integer already.
  const double scaled = static_cast<double>(v) * kScale[decimals];
  double magnitude = scaled < 0.0 ? -scaled : scaled;
  if (magnitude < 4503599627370496.0) {
    const double whole = static_cast<double>(static_cast<int64_t>(magnitude));
    magnitude = magnitude - whole >= 0.5 ? whole + 1.0 : whole;
  }
  // A result of zero is never negative.
  int len = 0;
  if (scaled < 0.0 && magnitude != 0.0) out[len++] = '-';

  if (magnitude >= 9.0e18) {
    // Past 63 bits: every digit of the integer value, as "%.0f" writes it, with the point put in
    // `decimals` places from the right (there are at least 19 digits).
    char digits[kNumberCapacity];
    const auto res =
        std::to_chars(digits, digits + sizeof digits, magnitude, std::chars_format::fixed, 0);
    const int nd = static_cast<int>(res.ptr - digits);
    std::memcpy(out + len, digits, static_cast<size_t>(nd - decimals));
    len += nd - decimals;
    if (decimals > 0) {
      out[len++] = '.';
      std::memcpy(out + len, digits + nd - decimals, static_cast<size_t>(decimals));
      len += decimals;
    }
    out[len] = '\0';
    return len;
  }
  const uint64_t m = static_cast<uint64_t>(magnitude);
  const uint64_t unit = kUnit[decimals];
  const auto res = std::to_chars(out + len, out + kNumberCapacity - 1, m / unit);
  len = static_cast<int>(res.ptr - out);
  if (decimals > 0) {
    uint64_t frac = m % unit;
    out[len++] = '.';
    for (int i = decimals - 1; i >= 0; --i) {
      out[len + i] = static_cast<char>('0' + frac % 10);
      frac /= 10;
    }
    len += decimals;
  }
  out[len] = '\0';
  return len;
}

}  // namespace corvel
