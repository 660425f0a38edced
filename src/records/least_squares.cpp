#include "records/least_squares.h"

#include <cmath>

#include "records/real.h"

namespace corvel {

void LeastSquaresLine(const uint32_t* x, const uint32_t* y, uint16_t n, float& slope,
                      float& intercept) {
  float sxx = 0, sy = 0, sx = 0, sxy = 0;
  for (uint16_t i = 0; i < n; ++i) {
    sxx += static_cast<float>(x[i] * x[i]);
    sy += static_cast<float>(y[i]);
    sx += static_cast<float>(x[i]);
    sxy += static_cast<float>(x[i] * y[i]);
  }
  const float fn = static_cast<float>(n);
  const float d = fn * sxx - sx * sx;
  if (d == 0.0f || !std::isfinite(d)) {
    slope = intercept = 0.0f;
    return;
  }
  slope = Finite((fn * sxy - sx * sy) / d);
  intercept = Finite((sxx * sy - sx * sxy) / d);
}

}  // namespace corvel
