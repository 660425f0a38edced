#include "params/dark_relaxation.h"

#include <cstring>

#include "params/fill_rows.h"
#include "params/jip_test.h"
#include "params/result_tables.h"
#include "params/type_params.h"
#include "records/real.h"
#include "records/settings.h"

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
    // NPQ = (Fm - Fm') / Fm' with the first pulse's Fm as the dark reference; never negative.
    if (r.Fm[k] != 0) {
      const float npq =
          Div(static_cast<float>(int32_t{r.Fm[0]} - int32_t{r.Fm[k]}), static_cast<float>(r.Fm[k]));
      r.NPQ[k] = npq > 0.0f ? npq : 0.0f;
    }
    pos = NextBlockUnchecked(image, pos);
  }
}

namespace {

void DecodeDrStep(const FileImage& image, uint32_t record_offset, ResultTables& tables, int slot) {
  DecodeDr(image, record_offset, tables.dr[slot]);
}

const char* const kTitlesDr[] = {"Filename", "Date/Time", "Meas.Type", "LAdap(5min)",
                                 "Dark(s)",  "SL(n)",     "Fo",        "Fm",
                                 "Fv/Fm",    "NPQ",       "END"};

// Twenty rows per record, one per pulse.
void FillGridPara_DR(const GridSource& src, Grid& grid) {
  ForEachSelectedRows(src, grid, kDrPulses, [&](int i, uint32_t off) {
    const DrResult* r = &src.results.dr[i];
    return [&src, r, off](int k, RowWriter& w) {
      if (k == 0) {
        const MeasSettings set = DecodeSettings(src.image, off);
        w.Identity(src.image, off, TypeCode::kDr);
        w.Int(3, set.DrAdaptAl);
        w.Int(4, set.DrDarkSec);
      }
      w.Wrapped(5, "3000(", k + 1, ")");
      w.Int(6, r->Fo[k]);
      w.Int(7, r->Fm[k]);
      w.Fixed(8, r->FvFm[k]);
      if (k == 0)
        w.Text(9, "----");  // the first pulse is the reference of NPQ
      else
        w.Fixed(9, r->NPQ[k]);
    };
  });
}

}  // namespace

const TypeParams kDrParams = {RadioItem::kDr, DecodeDrStep, kTitlesDr, FillGridPara_DR};

}  // namespace corvel
