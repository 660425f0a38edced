#include "params/after_steady_state.h"

#include "params/fill_rows.h"
#include "params/result_tables.h"
#include "params/type_params.h"
#include "records/ojip_decoder.h"
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

namespace {

void DecodeAfterSsStep(const FileImage& image, uint32_t record_offset, ResultTables& tables,
                       int slot) {
  DecodeAfterSs(image, record_offset, tables.afterss[slot]);
}

const char* const kTitlesAfterSs[] = {"Filename",   "Date/Time", "Meas.Type", "LAdap(5min)",
                                      "Dark/FR(S)", "AL(10S)",   "END"};

void FillGridPara_ASS(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int, uint32_t off) {
    RowWriter w(grid, rows.Next());
    const MeasSettings set = DecodeSettings(src.image, off);
    w.Identity(src.image, off, TypeCode::kAfterSs);
    const int64_t settings[] = {set.AssAdaptAl, set.AssDarkFrSec, set.AssAl};
    for (int c = 0; c < 3; ++c) w.Int(3 + c, settings[c]);
  });
}

}  // namespace

const TypeParams kAfterSsParams = {RadioItem::kAfterSs, DecodeAfterSsStep, kTitlesAfterSs,
                                   FillGridPara_ASS};

}  // namespace corvel
