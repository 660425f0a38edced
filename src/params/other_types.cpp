#include "params/other_types.h"

#include <cstring>

#include "params/jip_test.h"
#include "records/block_roles.h"
#include "records/real.h"
#include "records/record.h"

namespace corvel {

void DecodeDr(const FileImage& image, uint32_t record_offset, DrResult& r) {
  std::memset(&r, 0, sizeof r);
  uint64_t pos = Record(image, record_offset).first_block();
  OjipResult pt;
  for (int k = 0; k < kDrPulses; ++k) {
    DecodeOjip(image, pos, pt, false);
    r.Fo[k] = pt.Fo;
    r.Fm[k] = pt.Fm;
    r.FvFm[k] = pt.FvFm;
    if (r.Fm[k] != 0) {
      const float npq =
          Div(static_cast<float>(int32_t{r.Fm[0]} - int32_t{r.Fm[k]}), static_cast<float>(r.Fm[k]));
      r.NPQ[k] = npq > 0.0f ? npq : 0.0f;
    }
    pos = NextBlockUnchecked(image, pos);
  }
}

int PifrSlopePoints(const FileImage& image, uint32_t record_offset,
                    uint32_t (&x)[kPifrSlopeMaxPoints + 1],
                    uint32_t (&y)[kPifrSlopeMaxPoints + 1]) {
  constexpr int kValues = 600;
  const Block b = BlockAt(image, Record(image, record_offset).first_block());
  // D2 is the second sample of each pair; values past the trace read as 0.
  auto d2 = [&](int i) { return TraceSample(image, b, 2 * i + 1); };

  int m = 0;
  uint16_t peak = 0;
  for (int i = 0; i < kValues; ++i) {
    const uint16_t v = d2(i);
    if (v > peak) {
      peak = v;
      m = i;
    }
  }
  int h = (2 * m) / 3;
  if (h < 20) h = 20;

  // The loop forms point 99 before it ends, but that point is not counted.
  int n = 0;
  for (int i = 0; i < h / 2; ++i) {
    x[i] = static_cast<uint32_t>(i + 1);
    y[i] = (uint32_t{d2(2 * i)} + d2(2 * i + 1) + d2(2 * i + 2)) / 3;
    if (i == kPifrSlopeMaxPoints) break;
    n = i + 1;
  }
  if (n > 15) {  // a long rise loses its first five points
    n -= 5;
    for (int j = 0; j < n; ++j) {
      x[j] = x[j + 5];
      y[j] = y[j + 5];
    }
  }
  return n;
}

void DecodePifrSlope(const FileImage& image, uint32_t record_offset, PifrResult& r) {
  uint32_t x[kPifrSlopeMaxPoints + 1], y[kPifrSlopeMaxPoints + 1];
  const int n = PifrSlopePoints(image, record_offset, x, y);
  float slope = 0.0f, intercept = 0.0f;
  LeastSquaresLine(x, y, static_cast<uint16_t>(n), slope, intercept);
  const float k = Finite(slope * 10.0f);
  r.K = k > 0.0f ? k : 0.0f;
}

void DecodeMultiOjip(const FileImage& image, uint32_t record_offset, MultiOjipResult& r) {
  std::memset(&r, 0, sizeof r);
  uint64_t pos = Record(image, record_offset).first_block();
  OjipResult pt;
  uint32_t light[kMultiOjipSteps];
  uint32_t fo[kMultiOjipSteps], fj[kMultiOjipSteps], fi[kMultiOjipSteps], fm[kMultiOjipSteps];
  for (int s = 0; s < kMultiOjipSteps; ++s) {
    DecodeOjip(image, pos, pt, false);
    r.Fo[s] = pt.Fo;
    r.Fl[s] = pt.Fl;
    r.Fk[s] = pt.Fk;
    r.Fj[s] = pt.Fj;
    r.Fi[s] = pt.Fi;
    r.Fm[s] = pt.Fm;
    light[s] = kMultiOjipLight[s];
    fo[s] = pt.Fo;
    fj[s] = pt.Fj;
    fi[s] = pt.Fi;
    fm[s] = pt.Fm;
    pos = NextBlockUnchecked(image, pos);
  }
  float intercept = 0.0f;
  LeastSquaresLine(light, fo, kMultiOjipSteps, r.Ko, intercept);
  LeastSquaresLine(light, fj, kMultiOjipSteps, r.Kj, intercept);
  LeastSquaresLine(light, fi, kMultiOjipSteps, r.Ki, intercept);
  LeastSquaresLine(light, fm, kMultiOjipSteps, r.Kp, intercept);
}

void DecodeFoPrime(const FileImage& image, uint32_t record_offset, FoPrimeResult& r) {
  uint64_t pos = Record(image, record_offset).first_block();
  OjipResult pt;
  DecodeOjip(image, pos, pt, false);
  r.Fo = pt.Fo;
  r.Fm = pt.Fm;
  DecodeOjip(image, NextBlockUnchecked(image, pos), pt, false);
  r.FoPrime = pt.Fo;
  r.FmPrime = pt.Fm;
}

float ChlConcentration(const FileImage& image, uint32_t record_offset) {
  return static_cast<float>(Record(image, record_offset).word(44)) * 0.1f;
}

}  // namespace corvel
