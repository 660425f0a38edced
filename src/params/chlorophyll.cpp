#include "params/chlorophyll.h"

#include "params/fill_rows.h"
#include "params/type_params.h"

namespace corvel {

float ChlConcentration(const FileImage& image, uint32_t record_offset) {
  return static_cast<float>(Record(image, record_offset).word(44)) * 0.1f;
}

namespace {

const char* const kTitlesChlConc[] = {"Filename", "Date/Time", "Meas.Type", "ChlConc(ug/L)", "END"};

// "???" where the instrument stored no value.
void FillGridPara_ChlC(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int, uint32_t off) {
    RowWriter w(grid, rows.Next());
    w.Identity(src.image, off, TypeCode::kChlConc);
    const float conc = ChlConcentration(src.image, off);
    if (conc != 0.0f)
      w.Fixed(3, conc, 1);
    else
      w.Text(3, "???");  // the instrument stored no value
  });
}

}  // namespace

const TypeParams kChlConcParams = {RadioItem::kChlConc, nullptr, kTitlesChlConc, FillGridPara_ChlC};

}  // namespace corvel
