#include "params/fill_grid.h"

#include <cstdio>

#include "params/number_format.h"
#include "params/other_types.h"
#include "params/rlc.h"
#include "params/title_lists.h"
#include "params/type_params.h"
#include "records/measurement_type.h"
#include "records/record.h"
#include "records/settings.h"

namespace corvel {

namespace {

// Writes the cells of one table row; numbers go through a stack buffer, nothing is allocated.
class RowWriter {
 public:
  RowWriter(Grid& grid, int row) : grid_(grid), row_(row) {}

  void Text(int col, std::string_view text) { grid_.Set(row_, col, text); }
  void Int(int col, int64_t v) {
    const int n = FormatInt(v, buf_);
    grid_.Set(row_, col, {buf_, static_cast<size_t>(n)});
  }
  void Fixed(int col, float v, int decimals = 2) {
    const int n = FormatFixed(v, decimals, buf_);
    grid_.Set(row_, col, {buf_, static_cast<size_t>(n)});
  }
  // A number between two fixed texts, such as 3000(10S).
  void Wrapped(int col, const char* before, int64_t v, const char* after) {
    const int n =
        std::snprintf(buf_, sizeof buf_, "%s%lld%s", before, static_cast<long long>(v), after);
    grid_.Set(row_, col, {buf_, static_cast<size_t>(n)});
  }
  // Columns 0 to 2: display name, date and time, type label.
  void Identity(const FileImage& image, uint32_t offset, TypeCode type_code) {
    const Record rec(image, offset);
    char name[9];
    rec.name(name);
    int n = std::snprintf(buf_, sizeof buf_, "%s%04d", name, int{rec.number()});
    grid_.Set(row_, 0, {buf_, static_cast<size_t>(n)});
    const RecordStamp t = rec.stamp();
    n = std::snprintf(buf_, sizeof buf_, "20%02d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
    grid_.Set(row_, 1, {buf_, static_cast<size_t>(n)});
    grid_.Set(row_, 2, kTypeLabel[static_cast<int>(type_code)]);
  }

 private:
  Grid& grid_;
  int row_;
  char buf_[kNumberCapacity + 32];
};

// The row counter of the fill routines: every advance first raises the row count by one.
class RowCounter {
 public:
  explicit RowCounter(Grid& grid) : grid_(grid) {}
  int Next() {
    grid_.SetRowCount(grid_.row_count() + 1);
    return ++row_;
  }

 private:
  Grid& grid_;
  int row_ = 0;
};

// Calls fill(position, offset) for every selected list position, in list order.
template <class Fill>
void ForEachSelected(const GridSource& src, Fill&& fill) {
  const RecordList& list = src.list;
  const int count = list.count < kSlotCount ? list.count : kSlotCount;
  for (int i = 0; i < count; ++i)
    if (list.selected[i]) fill(i, list.offset(i));
}

}  // namespace

void FillGridPara_OJIP(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int i, uint32_t off) {
    RowWriter w(grid, rows.Next());
    const OjipResult& r = src.results.ojip[i];
    w.Identity(src.image, off, TypeCode::kOjip);
    w.Wrapped(3, "3000(", DecodeSettings(src.image, off).OjipSlSec, "S)");
    const uint16_t points[] = {r.Fo, r.Fl, r.Fk, r.Fj, r.Fi, r.Fm, r.tFm, r.Fv};
    for (int c = 0; c < 8; ++c) w.Int(4 + c, points[c]);
    const float reals[] = {r.FvFm,  r.FoFm,  r.Vj,    r.Area,  r.Mo,    r.Sm,    r.N,     r.PhiPo,
                           r.PsiO,  r.PhiEo, r.PhiDo, r.AbsRc, r.TroRc, r.EtoRc, r.DioRc, r.RcCso,
                           r.RcCsm, r.PiAbs, r.PiCso, r.PiCsm, r.DfAbs, r.DfCso, r.DfCsm};
    // The area (column 15) is shown without decimals.
    for (int c = 0; c < 23; ++c) w.Fixed(12 + c, reals[c], c == 3 ? 0 : 2);
  });
}

void FillGridPara_SlowK(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int i, uint32_t off) {
    RowWriter w(grid, rows.Next());
    const SlowKinResult& r = src.results.slowkin[i];
    const MeasSettings set = DecodeSettings(src.image, off);
    w.Identity(src.image, off, TypeCode::kSlowKin);
    w.Int(3, set.SkAl);
    w.Wrapped(4, "4000(", set.SkPulseCount, ")");
    const uint16_t points[] = {r.Fo, r.Fm, r.Fs, r.FmPrime, r.FoPrime};
    for (int c = 0; c < 5; ++c) w.Int(5 + c, points[c]);
    const float reals[] = {r.FvFm, r.FqPrime,   r.FvPrimeFmPrime,
                           r.FsFm, r.FmPrimeFm, r.YII,
                           r.rETR, r.qP,        r.qL,
                           r.qN,   r.NPQ,       r.YNO,
                           r.YNPQ};
    for (int c = 0; c < 13; ++c) w.Fixed(10 + c, reals[c]);
  });
}

void FillGridPara_RLC(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int i, uint32_t off) {
    const RlcResult& r = src.results.rlc[i];
    const MeasSettings set = DecodeSettings(src.image, off);
    const bool light_adapted = RlcLightAdapted(src.image, off);
    const int first = rows.Next();
    for (int k = 0; k < kRlcSteps; ++k) {
      RowWriter w(grid, first + k);
      if (k == 0) {
        w.Identity(src.image, off, TypeCode::kRlc);
        char adapt[32];
        const int n =
            std::snprintf(adapt, sizeof adapt, "%d(%d)", int{set.RlcAdaptAl}, int{set.RlcAdaptMin});
        w.Text(3, {adapt, static_cast<size_t>(n)});
      }
      w.Int(4, kRlcLight[k]);
      w.Wrapped(5, "4000(", k + 1, ")");
      w.Fixed(6, r.row[kRowYII][k]);
      w.Fixed(7, r.row[kRowRetr][k]);
      if (!light_adapted)
        for (int q = kRowFmPrimeFm; q <= kRowYNPQ; ++q) w.Fixed(8 + q - kRowFmPrimeFm, r.row[q][k]);
      rows.Next();
    }
  });
}

void FillGridPara_DR(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int i, uint32_t off) {
    const DrResult& r = src.results.dr[i];
    const int first = rows.Next();
    for (int k = 0; k < kDrPulses; ++k) {
      RowWriter w(grid, first + k);
      if (k == 0) {
        const MeasSettings set = DecodeSettings(src.image, off);
        w.Identity(src.image, off, TypeCode::kDr);
        w.Int(3, set.DrAdaptAl);
        w.Int(4, set.DrDarkSec);
      }
      w.Wrapped(5, "3000(", k + 1, ")");
      w.Int(6, r.Fo[k]);
      w.Int(7, r.Fm[k]);
      w.Fixed(8, r.FvFm[k]);
      if (k == 0)
        w.Text(9, "----");  // the first pulse is the reference of NPQ
      else
        w.Fixed(9, r.NPQ[k]);
      rows.Next();
    }
  });
}

void FillGridPara_ASS(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int, uint32_t off) {
    RowWriter w(grid, rows.Next());
    const MeasSettings set = DecodeSettings(src.image, off);
    w.Identity(src.image, off, TypeCode::kAfterSs);
    w.Int(3, set.AssAdaptAl);
    w.Int(4, set.AssDarkFrSec);
    w.Int(5, set.AssAl);
  });
}

void FillGridPara_PIFR(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int i, uint32_t off) {
    RowWriter w(grid, rows.Next());
    const MeasSettings set = DecodeSettings(src.image, off);
    w.Identity(src.image, off, TypeCode::kPifr);
    char adapt[32];
    const int n =
        std::snprintf(adapt, sizeof adapt, "%d(%d)", int{set.PifrAdaptAl}, int{set.PifrAdaptMin});
    w.Text(3, {adapt, static_cast<size_t>(n)});
    w.Fixed(4, src.results.pifr[i].K);
  });
}

void FillGridPara_MTOJIP(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int i, uint32_t off) {
    const MultiOjipResult& r = src.results.multiojip[i];
    const int first = rows.Next();
    for (int s = 0; s < kMultiOjipSteps; ++s) {
      RowWriter w(grid, first + s);
      if (s == 0) w.Identity(src.image, off, TypeCode::kMultiOjip);
      w.Text(3, "1 min");
      w.Int(4, kMultiOjipLight[s]);
      const uint16_t points[] = {r.Fo[s], r.Fl[s], r.Fk[s], r.Fj[s], r.Fi[s], r.Fm[s]};
      for (int c = 0; c < 6; ++c) w.Int(5 + c, points[c]);
      if (s == kMultiOjipSteps - 1) {
        w.Fixed(11, r.Ko);
        w.Fixed(12, r.Kj);
        w.Fixed(13, r.Ki);
        w.Fixed(14, r.Kp);
      }
      rows.Next();
    }
  });
}

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

void FillTableForRadio(int radio_item, const GridSource& src, Grid& grid) {
  grid.Reset(2, 40);
  const TypeParams* type = TypeParamsAt(radio_item);
  if (type == nullptr || type->fill == nullptr) return;
  FillGridTitle(grid, type->titles);
  type->fill(src, grid);
}

}  // namespace corvel
