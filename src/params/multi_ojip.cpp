#include "params/multi_ojip.h"

#include <cstring>

#include "params/fill_rows.h"
#include "params/jip_test.h"
#include "params/result_tables.h"
#include "params/type_params.h"
#include "records/least_squares.h"

namespace corvel {

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

namespace {

void DecodeMultiOjipStep(const FileImage& image, uint32_t record_offset, ResultTables& tables,
                         int slot) {
  DecodeMultiOjip(image, record_offset, tables.multiojip[slot]);
}

const char* const kTitlesMultiOjip[] = {
    "Filename", "Date/Time", "Meas.Type", "Dark", "AL", "Fo", "Fl(100uS)", "Fk(300uS)",
    "Fj(2mS)",  "Fi(30mS)",  "Fm(Fp)",    "Ko",   "Kj", "Ki", "Kp",        "END"};

// Six rows per record, one per light step; the slopes on the last.
void FillGridPara_MTOJIP(const GridSource& src, Grid& grid) {
  ForEachSelectedRows(src, grid, kMultiOjipSteps, [&](int i, uint32_t off) {
    const MultiOjipResult* r = &src.results.multiojip[i];
    return [&src, r, off](int s, RowWriter& w) {
      if (s == 0) w.Identity(src.image, off, TypeCode::kMultiOjip);
      w.Text(3, "1 min");
      w.Int(4, kMultiOjipLight[s]);
      const uint16_t points[] = {r->Fo[s], r->Fl[s], r->Fk[s], r->Fj[s], r->Fi[s], r->Fm[s]};
      for (int c = 0; c < 6; ++c) w.Int(5 + c, points[c]);
      if (s == kMultiOjipSteps - 1) {
        const float slopes[] = {r->Ko, r->Kj, r->Ki, r->Kp};
        for (int c = 0; c < 4; ++c) w.Fixed(11 + c, slopes[c]);
      }
    };
  });
}

}  // namespace

const TypeParams kMultiOjipParams = {RadioItem::kMultiOjip, DecodeMultiOjipStep, kTitlesMultiOjip,
                                     FillGridPara_MTOJIP};

}  // namespace corvel
