// The least-squares line of the PIFR and multi-light OJIP slopes.
#pragma once

#include <cstdint>

namespace corvel {

// Least-squares line through n points; products in 32-bit unsigned arithmetic, sums in single
// precision. A zero or non-finite determinant gives slope and intercept 0.
void LeastSquaresLine(const uint32_t* x, const uint32_t* y, uint16_t n, float& slope,
                      float& intercept);

}  // namespace corvel
