#include "records/block_roles.h"

#include <cstring>

#include "records/ojip_decoder.h"
#include "records/real.h"
#include "records/record.h"
#include "records/settings.h"

namespace corvel {

void DecodeAfterSs(const FileImage& image, uint32_t record_offset, AfterSsResult& r) {
  uint64_t pos = Record(image, record_offset).first_block();
  OjipResult points;
  for (int k = 0; k < 10; ++k) {
    DecodeOjipPoints(image, pos, points);
    r.Fm[k] = points.Fm;
    pos = NextBlockUnchecked(image, pos);
    DecodeOjipPoints(image, pos, points);
    r.Fm[10 + k] = points.Fm;
    pos = NextBlockUnchecked(image, pos);
  }
}

void ComputePifrCurve(const FileImage& image, uint32_t record_offset, PifrCurve& curve) {
  std::memset(&curve, 0, sizeof curve);
  uint16_t count = DecodeSettings(image, record_offset).PifrPpSec;
  if (count > kPifrMaxPoints) count = kPifrMaxPoints;
  curve.v[0] = count;

  // Every fifth D2 value is a point, so only the values at multiples of five are kept.
  const unsigned blocks = count / 30u + 1u;
  unsigned collected = 0;
  WalkBlocks(image, Record(image, record_offset).first_block(), blocks, [&](const Block& b) {
    const int32_t pairs = b.sample_count() / 2;
    for (int32_t k = 0; k < pairs && collected < kPifrMaxValues; ++k, ++collected) {
      if (collected % 5 != 0) continue;
      const unsigned point = collected / 5;
      if (point < count) curve.v[2 + point] = image.U16(b.samples() + 4u * k + 2u);
    }
  });
  uint16_t largest = 0;
  for (unsigned i = 0; i < count; ++i)
    if (curve.v[2 + i] > largest) largest = curve.v[2 + i];
  curve.v[1] = largest;
}

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
