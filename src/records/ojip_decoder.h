// The OJIP decoder's points part: the eight characteristic points of one OJIP trace, the peak
// index and Fv/Fm. The JIP test that continues from here is the parameter table's business.
#pragma once

#include <cstdint>

#include "records/file_image.h"

namespace corvel {

inline constexpr int32_t kOjipSamplesUsed = 208;

// Trace points followed by the JIP-test parameters, in this order.
struct OjipResult {
  uint16_t Fo, Fl, Fk, Fj, Fi, Fm, tFm, Fv;
  float FvFm, FoFm, Vj, Area, Mo, Sm, N, PhiPo, PsiO, PhiEo, PhiDo, AbsRc, TroRc, EtoRc, DioRc,
      RcCso, RcCsm, PiAbs, PiCso, PiCsm, DfAbs, DfCso, DfCsm;
};

// The trace points of an OjipResult.
struct TracePoints {
  uint16_t Fo, Fl, Fk, Fj, Fi, Fm, tFm, Fv;
};

// Decodes the points of the block at `block_pos` into `r` (every field set, zeros where nothing
// was computed). Returns the peak index p when the JIP test may go on (Fm and Fv non-zero), else
// -1. Samples past the end of the trace read as 0.
int32_t DecodeOjipPoints(const FileImage& image, uint64_t block_pos, OjipResult& r);

// tFm in ms of peak index p.
uint16_t PeakTimeMs(int32_t p);

}  // namespace corvel
