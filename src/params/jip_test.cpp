#include "params/jip_test.h"

#include <cmath>

#include "records/real.h"
#include "records/record.h"
#include "records/time_base.h"

namespace corvel {

namespace {

// log10 of the sample time in ms, taken in double of the float time and rounded to float, so the
// area does not depend on a platform's float log10. The peak lies among the first 208 samples, so
// the area needs these 208 values only; they are worked out once.
struct LogTimeTable {
  double v[kOjipSamplesUsed];
  LogTimeTable() {
    for (int32_t i = 0; i < kOjipSamplesUsed; ++i)
      v[i] = static_cast<double>(Log10f(OjipTimeMs(static_cast<uint32_t>(i))));
  }
};

const double* LogTimesMs() {
  static const LogTimeTable table;
  return table.v;
}

}  // namespace

double OjipArea(const FileImage& image, uint64_t block_pos, uint16_t fm, int32_t p) {
  const Block b = BlockAt(image, block_pos);
  const double level = fm;
  double sum = 0.0;
  const double* log_time = LogTimesMs();
  double lg_prev = log_time[0];
  // Samples past the end of the trace read as 0; inside the area the trace is read in place.
  const int32_t n = b.sample_count();
  const bool in_place = n > 0 && b.samples() + 2u * static_cast<uint32_t>(n) <= kAreaSize;
  const uint8_t* raw = in_place ? image.area() + b.samples() : nullptr;
  auto sample = [&](int32_t i) -> double {
    if (in_place && i < n) return raw[2 * i] | (raw[2 * i + 1] << 8);
    return TraceSample(image, b, i);
  };
  double s_prev = sample(0);
  for (int32_t i = 0; i < p; ++i) {
    const double lg = log_time[i + 1];
    const double s = sample(i + 1);
    sum += 0.5 * ((level - s_prev) + (level - s)) * (lg - lg_prev);
    lg_prev = lg;
    s_prev = s;
  }
  return sum;
}

void DecodeOjip(const FileImage& image, uint64_t block_pos, OjipResult& r, bool jip_test) {
  const int32_t p = DecodeOjipPoints(image, block_pos, r);
  if (p < 0 || !jip_test) return;

  // The JIP test of the fast fluorescence rise (Strasser's OJIP analysis): relative variable
  // fluorescence at J, the initial slope Mo, the normalised area Sm, the turnover number N and
  // the quantum yields; every quotient that cannot be computed is 0 (rule D2).
  const float fo = r.Fo, fm = r.Fm, fv = r.Fv;
  r.FoFm = Div(fo, fm);
  r.Vj = Div(static_cast<float>(int32_t{r.Fj} - int32_t{r.Fo}), fv);
  r.Area = Finite(static_cast<float>(OjipArea(image, block_pos, r.Fm, p)));
  r.Mo = Div(4.0f * static_cast<float>(int32_t{r.Fk} - int32_t{r.Fo}), fv);
  r.Sm = Div(r.Area, fv);
  r.N = r.Vj == 0.0f ? 0.0f : Div(Finite(r.Sm * r.Mo), r.Vj);
  r.PhiPo = r.FvFm;
  r.PsiO = 1.0f - r.Vj;
  r.PhiEo = Finite(r.PhiPo * r.PsiO);
  r.PhiDo = 1.0f - r.PhiPo;
  if (r.Vj == 0.0f) return;

  // Specific energy fluxes per reaction centre: absorption, trapping, electron transport and
  // dissipation (ABS/RC, TRo/RC, ETo/RC, DIo/RC).
  r.AbsRc = Div(Finite(fm * r.Mo), Finite(fv * r.Vj));
  r.TroRc = Div(r.Mo, r.Vj);
  r.EtoRc = Finite((1.0f - r.Vj) * r.TroRc);
  r.DioRc = Finite(r.AbsRc - r.TroRc);
  if (r.Mo == 0.0f) return;

  // Density of active reaction centres per excited cross section, at Fo and at Fm.
  const float vj_mo = Div(r.Vj, r.Mo);
  r.RcCso = Finite(Finite(fo * r.FvFm) * vj_mo);
  r.RcCsm = Finite(fv * vj_mo);
  if (r.PhiPo == 1.0f || r.PsiO == 1.0f) return;

  // Performance indices PI(ABS), PI(CSo), PI(CSm) and their logarithms, the driving forces.
  const float x = Finite(Div(r.PhiPo, 1.0f - r.PhiPo) * Div(r.PsiO, 1.0f - r.PsiO));
  if (r.AbsRc == 0.0f) return;

  r.PiAbs = Div(x, r.AbsRc);
  r.PiCso = Finite(x * r.RcCso);
  r.PiCsm = Finite(x * r.RcCsm);
  r.DfAbs = Log10f(r.PiAbs);
  r.DfCso = Log10f(r.PiCso);
  r.DfCsm = Log10f(r.PiCsm);
}

}  // namespace corvel
