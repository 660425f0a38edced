#include "params/fo_prime.h"

#include "params/fill_rows.h"
#include "params/jip_test.h"
#include "params/result_tables.h"
#include "params/type_params.h"
#include "records/settings.h"

namespace corvel {

void DecodeFoPrime(const FileImage& image, uint32_t record_offset, FoPrimeResult& r) {
  uint64_t pos = Record(image, record_offset).first_block();
  OjipResult pt;
  DecodeOjip(image, pos, pt, false);
  r.Fo = pt.Fo;
  r.Fm = pt.Fm;
  DecodeOjip(image, NextBlockUnchecked(image, pos), pt, false);
  r.FoPrime = pt.Fo;
  r.FmPrime = pt.Fm;
}

namespace {

void DecodeFoPrimeStep(const FileImage& image, uint32_t record_offset, ResultTables& tables,
                       int slot) {
  DecodeFoPrime(image, record_offset, tables.foprime[slot]);
}

const char* const kTitlesFoPrime[] = {"Filename", "Date/Time", "Meas.Type", "LAdap(5min)", "FRed:S",
                                      "AL",       "Fo",        "Fo'",       "END"};

void FillGridPara_Fo(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int i, uint32_t off) {
    RowWriter w(grid, rows.Next());
    const MeasSettings set = DecodeSettings(src.image, off);
    const FoPrimeResult& r = src.results.foprime[i];
    w.Identity(src.image, off, TypeCode::kFoPrime);
    w.Int(3, set.FoAdaptAl);
    w.Int(4, set.FoFarRedSec);
    w.Int(5, set.FoAl);
    w.Int(6, r.Fo);
    w.Int(7, r.FoPrime);
  });
}

}  // namespace

const TypeParams kFoPrimeParams = {RadioItem::kFoPrime, DecodeFoPrimeStep, kTitlesFoPrime,
                                   FillGridPara_Fo};

}  // namespace corvel
