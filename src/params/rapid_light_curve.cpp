#include "params/rapid_light_curve.h"

#include <cstring>

#include "params/fill_rows.h"
#include "params/jip_test.h"
#include "params/result_tables.h"
#include "params/type_params.h"
#include "records/real.h"
#include "records/record.h"
#include "records/settings.h"

namespace corvel {

bool RlcLightAdapted(const FileImage& image, uint32_t record_offset) {
  const MeasSettings set = DecodeSettings(image, record_offset);
  return set.RlcAdaptMin != 0 && set.RlcAdaptAl != 0;
}

void DecodeRlc(const FileImage& image, uint32_t record_offset, RlcResult& r) {
  std::memset(&r, 0, sizeof r);
  const bool light_adapted = RlcLightAdapted(image, record_offset);
  uint64_t pos = Record(image, record_offset).first_block();
  OjipResult pt;
  DecodeOjip(image, pos, pt, false);
  const float fo = pt.Fo, fm = pt.Fm;
  if (fo == 0.0f || fm == 0.0f || fo >= fm) return;

  for (int k = 0; k < kRlcSteps; ++k) {
    // Steps are reached by block lengths alone; a step that is not a trace decodes to zeros.
    pos = NextBlockUnchecked(image, pos);
    DecodeOjip(image, pos, pt, false);
    const float yii = pt.FvFm;
    r.row[kRowYII][k] = yii;
    r.row[kRowRetr][k] = Finite(Finite(static_cast<float>(kRlcLight[k]) * yii) * 0.42f);
    if (light_adapted) continue;

    const float fs = pt.Fo, fmp = pt.Fm;
    if (fs == 0.0f || fmp == 0.0f || fs >= fmp) return;
    const QuenchingInput in{fo, fm, fs, fmp};
    const float fop = FoPrimeReal(in);
    if (fmp == fop) return;
    const QuenchingValues v = Quench(in, fop, yii);
    StoreQuenching(r.row, k, v);
  }
}

namespace {

void DecodeRlcStep(const FileImage& image, uint32_t record_offset, ResultTables& tables, int slot) {
  DecodeRlc(image, record_offset, tables.rlc[slot]);
}

const char* const kTitlesRlc[] = {"Filename", "Date/Time", "Meas.Type", "LAdap(t:min)", "AL",
                                  "SL(n)",    "Y(II)",     "rETR",      "Fm'/Fm",       "qP",
                                  "qL",       "qN",        "Y(NO)",     "Y(NPQ)",       "END"};

// Ten rows per record, one per light step; a light-adapted curve leaves the quenching cells empty.
void FillGridPara_RLC(const GridSource& src, Grid& grid) {
  ForEachSelectedRows(src, grid, kRlcSteps, [&](int i, uint32_t off) {
    const RlcResult* r = &src.results.rlc[i];
    const MeasSettings set = DecodeSettings(src.image, off);
    const bool light_adapted = RlcLightAdapted(src.image, off);
    return [&src, r, off, set, light_adapted](int k, RowWriter& w) {
      if (k == 0) {
        w.Identity(src.image, off, TypeCode::kRlc);
        w.Pair(3, set.RlcAdaptAl, set.RlcAdaptMin);
      }
      w.Int(4, kRlcLight[k]);
      w.Wrapped(5, "4000(", k + 1, ")");
      w.Fixed(6, r->row[kRowYII][k]);
      w.Fixed(7, r->row[kRowRetr][k]);
      if (!light_adapted)
        for (int q = kRowFmPrimeFm; q <= kRowYNPQ; ++q)
          w.Fixed(8 + q - kRowFmPrimeFm, r->row[q][k]);
    };
  });
}

}  // namespace

const TypeParams kRlcParams = {RadioItem::kRlc, DecodeRlcStep, kTitlesRlc, FillGridPara_RLC};

}  // namespace corvel
