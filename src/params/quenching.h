// The quenching analysis of one light pulse against the dark pulse, shared by the per-pulse series
// of pulse kinetics and by the rapid light curve steps. All values in single precision.
#pragma once

#include "records/real.h"

namespace corvel {

// Rows of the per-pulse series and of the light curve, in the order of the chart's curve choice.
enum QuenchingRow : int {
  kRowRetr = 0,
  kRowYII,
  kRowFmPrimeFm,
  kRowQP,
  kRowQL,
  kRowQN,
  kRowYNO,
  kRowYNPQ,
  kQuenchingRows
};

struct QuenchingInput {
  float fo, fm;   // dark pulse
  float fs, fmp;  // light pulse: its Fo is Fs, its Fm is Fm'
};

// Fo' under light, as a real: Fo / ((Fm - Fo)/Fm + Fo/Fm') (Oxborough and Baker's estimate).
inline float FoPrimeReal(const QuenchingInput& in) {
  return Div(in.fo, Finite(Div(in.fm - in.fo, in.fm) + Div(in.fo, in.fmp)));
}

struct QuenchingValues {
  float fmp_fm, qp, ql, qn, yno, ynpq;
};

// The quenching coefficients with Fo' given: Fm'/Fm, photochemical quenching qP = (Fm' - Fs) /
// (Fm' - Fo'), the lake-model qL = qP Fo'/Fs, non-photochemical quenching qN = 1 - (Fm' - Fo') /
// (Fm - Fo), and the yields of non-regulated and regulated dissipation Y(NO), Y(NPQ) (Kramer's
// partitioning, with NPQ = (Fm - Fm')/Fm'). The caller has made sure that Fm' differs from Fo'
// and Fm from Fo; every other quotient that cannot be computed is 0 (rule D2).
inline QuenchingValues Quench(const QuenchingInput& in, float fop, float yii) {
  QuenchingValues v;
  v.fmp_fm = Div(in.fmp, in.fm);
  v.qp = Div(in.fmp - in.fs, in.fmp - fop);
  v.ql = Div(Finite(v.qp * fop), in.fs);
  v.qn = 1.0f - Div(in.fmp - fop, in.fm - in.fo);
  const float npq = Div(in.fm - in.fmp, in.fmp);
  v.yno = Div(1.0f, Finite(Finite(Finite(Finite(Div(in.fm, in.fo) - 1.0f) * v.ql) + npq) + 1.0f));
  v.ynpq = Finite(Finite(1.0f - v.yno) - yii);
  return v;
}

// Stores the six quenching coefficients into column k of a series or light curve's rows.
template <int N>
void StoreQuenching(float (&row)[kQuenchingRows][N], int k, const QuenchingValues& v) {
  row[kRowFmPrimeFm][k] = v.fmp_fm;
  row[kRowQP][k] = v.qp;
  row[kRowQL][k] = v.ql;
  row[kRowQN][k] = v.qn;
  row[kRowYNO][k] = v.yno;
  row[kRowYNPQ][k] = v.ynpq;
}

}  // namespace corvel
