// Number texts of the parameter table: the patterns "0.00", "0.0" and "0", and plain integers.
#pragma once

#include <cstdint>

namespace corvel {

// Enough for any float with up to two decimals, sign and NUL.
inline constexpr int kNumberCapacity = 48;

// Writes v rounded to `decimals` (0, 1 or 2) places into out (NUL-terminated) and returns the
// length. The exact value of the float is rounded to the nearest, ties away from zero; a result
// that rounds to zero carries no sign. Non-finite values are written as 0.
int FormatFixed(float v, int decimals, char* out);

// Plain decimal, no padding.
int FormatInt(int64_t v, char* out);

}  // namespace corvel
