#include "params/ojip.h"

#include "params/fill_rows.h"
#include "params/jip_test.h"
#include "params/result_tables.h"
#include "params/type_params.h"
#include "records/settings.h"

namespace corvel {

OjipColumns ColumnsOf(const OjipResult& r) {
  return {{r.Fo, r.Fl, r.Fk, r.Fj, r.Fi, r.Fm, r.tFm, r.Fv},
          {r.FvFm,  r.FoFm,  r.Vj,    r.Area,  r.Mo,    r.Sm,    r.N,     r.PhiPo,
           r.PsiO,  r.PhiEo, r.PhiDo, r.AbsRc, r.TroRc, r.EtoRc, r.DioRc, r.RcCso,
           r.RcCsm, r.PiAbs, r.PiCso, r.PiCsm, r.DfAbs, r.DfCso, r.DfCsm}};
}

namespace {

void DecodeOjipStep(const FileImage& image, uint32_t record_offset, ResultTables& tables,
                    int slot) {
  DecodeOjip(image, Record(image, record_offset).first_block(), tables.ojip[slot], true);
}

}  // namespace

// The Greek letters are GBK: phi is A6 D5, psi is A6 D7. A literal break after a hex escape keeps
// the following letter out of the escape.
namespace {

const char* const kTitlesOjip[] = {"Filename",
                                   "Date/Time",
                                   "Meas.Type",
                                   "SL(T:s)",
                                   "Fo",
                                   "Fl(100uS)",
                                   "Fk(300uS)",
                                   "Fj(2mS)",
                                   "Fi(30mS)",
                                   "Fm(Fp)",
                                   "tFm:ms",
                                   "Fv",
                                   "Fv/Fm",
                                   "Fo/Fm",
                                   "Vj",
                                   "Area",
                                   "Mo",
                                   "Sm",
                                   "N",
                                   "\xA6\xD5po",
                                   "\xA6\xD7o",
                                   "\xA6\xD5"
                                   "Eo",
                                   "\xA6\xD5"
                                   "Do",
                                   "ABS/RC",
                                   "Tro/RC",
                                   "ETo/RC",
                                   "DIo/RC",
                                   "RC/CSo",
                                   "RC/CSm",
                                   "PI_ABS",
                                   "PI_CSo",
                                   "PI_CSm",
                                   "DF-ABS",
                                   "DF-CSo",
                                   "DF-CSm",
                                   "END"};

void FillGridPara_OJIP(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int i, uint32_t off) {
    RowWriter w(grid, rows.Next());
    const OjipColumns c = ColumnsOf(src.results.ojip[i]);
    w.Identity(src.image, off, TypeCode::kOjip);
    w.Wrapped(3, "3000(", DecodeSettings(src.image, off).OjipSlSec, "S)");
    for (int k = 0; k < 8; ++k) w.Int(4 + k, c.points[k]);
    for (int k = 0; k < 23; ++k) w.Fixed(12 + k, c.reals[k], k == kOjipAreaReal ? 0 : 2);
  });
}

}  // namespace

const TypeParams kOjipParams = {RadioItem::kOjip, DecodeOjipStep, kTitlesOjip, FillGridPara_OJIP};

}  // namespace corvel
