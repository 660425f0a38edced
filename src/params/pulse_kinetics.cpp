#include "params/pulse_kinetics.h"

#include <algorithm>
#include <cstring>

#include "params/fill_rows.h"
#include "params/jip_test.h"
#include "params/result_tables.h"
#include "params/type_params.h"
#include "records/real.h"
#include "records/record.h"
#include "records/settings.h"

namespace corvel {

namespace {

// Signed difference of two 16-bit values, as a real.
float Diff(uint16_t a, uint16_t b) {
  return static_cast<float>(int32_t{a} - int32_t{b});
}

// Truncated toward zero. Fo' cannot exceed Fm' (Fo > 0, Fm' > 0), the clamp only guards the
// conversion.
uint16_t TruncToU16(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 65535.0f) return 65535;
  return static_cast<uint16_t>(v);
}

}  // namespace

void DecodeSlowKin(const FileImage& image, uint32_t record_offset, SlowKinResult& r) {
  std::memset(&r, 0, sizeof r);
  const uint64_t dark_pos = Record(image, record_offset).first_block();
  OjipResult pt;
  DecodeOjip(image, dark_pos, pt, false);
  r.Fo = pt.Fo;
  r.Fm = pt.Fm;
  r.FvFm = pt.FvFm;
  if (r.Fm == 0 || r.Fo == 0) return;

  // The dark pulse was decoded without a magic test; a length below a header ends the search.
  const uint16_t dark_length = image.U16(dark_pos + 2);
  if (dark_length < 8) return;
  uint64_t last = 0;
  const unsigned found =
      WalkBlocks(image, dark_pos + dark_length, 40, [&](const Block& b) { last = b.pos; });
  if (found == 0) return;

  DecodeOjip(image, last, pt, false);
  r.Fs = pt.Fo;
  r.FmPrime = pt.Fm;
  if (r.FmPrime == 0) return;

  const float fo = r.Fo, fm = r.Fm, fs = r.Fs, fmp = r.FmPrime;
  r.FoPrime = TruncToU16(Div(fo, Finite(r.FvFm + Div(fo, fmp))));

  const float fop = r.FoPrime;
  r.FsFm = Div(fs, fm);
  r.FmPrimeFm = Div(fmp, fm);
  r.FqPrime = Diff(r.FmPrime, r.Fs);
  r.FvPrimeFmPrime = Div(Diff(r.FmPrime, r.FoPrime), fmp);
  r.YII = Div(Diff(r.FmPrime, r.Fs), fmp);
  r.rETR =
      Finite(Finite(static_cast<float>(DecodeSettings(image, record_offset).SkAl) * r.YII) * 0.42f);
  r.qP = int32_t{r.FmPrime} - int32_t{r.FoPrime} > 0
             ? Div(Diff(r.FmPrime, r.Fs), Diff(r.FmPrime, r.FoPrime))
             : 0.0f;
  r.qL = Div(Finite(r.qP * fop), fs);
  r.qN = int32_t{r.Fm} - int32_t{r.Fo} > 0
             ? 1.0f - Div(Diff(r.FmPrime, r.FoPrime), Diff(r.Fm, r.Fo))
             : 0.0f;
  r.NPQ = Div(Diff(r.Fm, r.FmPrime), fmp);
  r.YNO = Div(1.0f, Finite(Finite(Finite(Finite(Div(fm, fo) - 1.0f) * r.qL) + r.NPQ) + 1.0f));
  r.YNPQ = Finite(Finite(1.0f - r.YNO) - r.YII);
}

void ComputeSlowKinPulseSeries(const FileImage& image, uint32_t record_offset,
                               SlowKinPulseSeries& s) {
  std::memset(&s, 0, sizeof s);
  uint64_t pos = Record(image, record_offset).first_block();
  OjipResult pt;
  DecodeOjip(image, pos, pt, false);
  const float fo = pt.Fo, fm = pt.Fm;
  if (fm == 0.0f || fo == 0.0f) return;

  const MeasSettings set = DecodeSettings(image, record_offset);
  const float al = set.SkAl;
  const int pulses = std::min<int>(int{set.SkPulseCount} - 1, kSlowKinMaxPulses);
  s.count = static_cast<uint16_t>(std::max(pulses, 0));

  pos = NextBlockUnchecked(image, pos);
  for (int r = 0; r < pulses; ++r) {
    // The block between two light pulses is only checked, not evaluated.
    if (!IsWalkableBlock(image, pos)) return;
    pos = NextBlockUnchecked(image, pos);

    DecodeOjip(image, pos, pt, false);
    const float fs = pt.Fo, fmp = pt.Fm;
    if (fmp == 0.0f || fs == 0.0f) return;
    const QuenchingInput in{fo, fm, fs, fmp};
    const float fop = FoPrimeReal(in);
    if (fmp == fop || fm == fo) return;

    const float yii = Div(fmp - fs, fmp);
    const QuenchingValues v = Quench(in, fop, yii);
    s.row[kRowRetr][r] = Div(Finite(Finite(al * 0.42f) * (fmp - fs)), fmp);
    s.row[kRowYII][r] = yii;
    StoreQuenching(s.row, r, v);

    pos = NextBlockUnchecked(image, pos);
  }
}

namespace {

void DecodeSlowKinStep(const FileImage& image, uint32_t record_offset, ResultTables& tables,
                       int slot) {
  DecodeSlowKin(image, record_offset, tables.slowkin[slot]);
}

}  // namespace

SlowKinColumns ColumnsOf(const SlowKinResult& r) {
  return {{r.Fo, r.Fm, r.Fs, r.FmPrime, r.FoPrime},
          {r.FvFm, r.FqPrime, r.FvPrimeFmPrime, r.FsFm, r.FmPrimeFm, r.YII, r.rETR, r.qP, r.qL,
           r.qN, r.NPQ, r.YNO, r.YNPQ}};
}

namespace {

const char* const kTitlesSlowKin[] = {
    "Filename", "Date/Time", "Meas.Type", "AL",  "SL(n)",   "Fo",    "Fm",     "Fs",
    "Fm'",      "Fo'(Cacu)", "Fv/Fm",     "Fq'", "Fv'/Fm'", "Fs/Fm", "Fm'/Fm", "Y(II)",
    "rETR(II)", "qP",        "qL",        "qN",  "NPQ",     "Y(NO)", "Y(NPQ)", "END"};

void FillGridPara_SlowK(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int i, uint32_t off) {
    RowWriter w(grid, rows.Next());
    const SlowKinColumns c = ColumnsOf(src.results.slowkin[i]);
    const MeasSettings set = DecodeSettings(src.image, off);
    w.Identity(src.image, off, TypeCode::kSlowKin);
    w.Int(3, set.SkAl);
    w.Wrapped(4, "4000(", set.SkPulseCount, ")");
    for (int k = 0; k < 5; ++k) w.Int(5 + k, c.points[k]);
    for (int k = 0; k < 13; ++k) w.Fixed(10 + k, c.reals[k]);
  });
}

}  // namespace

const TypeParams kSlowKinParams = {RadioItem::kSlowKin, DecodeSlowKinStep, kTitlesSlowKin,
                                   FillGridPara_SlowK};

}  // namespace corvel
