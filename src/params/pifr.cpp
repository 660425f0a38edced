#include "params/pifr.h"

#include <cstring>

#include "params/fill_rows.h"
#include "params/result_tables.h"
#include "params/type_params.h"
#include "records/least_squares.h"
#include "records/real.h"
#include "records/settings.h"

namespace corvel {

int PifrSlopePoints(const FileImage& image, uint32_t record_offset,
                    uint32_t (&x)[kPifrSlopeMaxPoints + 1],
                    uint32_t (&y)[kPifrSlopeMaxPoints + 1]) {
  constexpr int kValues = 600;
  const Block b = BlockAt(image, Record(image, record_offset).first_block());
  // D2 is the second sample of each pair; values past the trace read as 0.
  auto d2 = [&](int i) { return TraceSample(image, b, 2 * i + 1); };

  int m = 0;
  uint16_t peak = 0;
  for (int i = 0; i < kValues; ++i) {
    const uint16_t v = d2(i);
    if (v > peak) {
      peak = v;
      m = i;
    }
  }
  int h = (2 * m) / 3;
  if (h < 20) h = 20;

  // The loop forms point 99 before it ends, but that point is not counted.
  int n = 0;
  for (int i = 0; i < h / 2; ++i) {
    x[i] = static_cast<uint32_t>(i + 1);
    y[i] = (uint32_t{d2(2 * i)} + d2(2 * i + 1) + d2(2 * i + 2)) / 3;
    if (i == kPifrSlopeMaxPoints) break;
    n = i + 1;
  }
  if (n > 15) {  // a long rise loses its first five points
    n -= 5;
    for (int j = 0; j < n; ++j) {
      x[j] = x[j + 5];
      y[j] = y[j + 5];
    }
  }
  return n;
}

void DecodePifrSlope(const FileImage& image, uint32_t record_offset, PifrResult& r) {
  uint32_t x[kPifrSlopeMaxPoints + 1], y[kPifrSlopeMaxPoints + 1];
  const int n = PifrSlopePoints(image, record_offset, x, y);
  float slope = 0.0f, intercept = 0.0f;
  LeastSquaresLine(x, y, static_cast<uint16_t>(n), slope, intercept);
  const float k = Finite(slope * 10.0f);
  r.K = k > 0.0f ? k : 0.0f;
}

void ComputePifrCurve(const FileImage& image, uint32_t record_offset, PifrCurve& curve) {
  std::memset(&curve, 0, sizeof curve);
  uint16_t count = DecodeSettings(image, record_offset).PifrPpSec;
  if (count > kPifrMaxPoints) count = kPifrMaxPoints;
  curve.v[0] = count;

  // Every fifth D2 value is a point, so only the values at multiples of five are kept.
  const unsigned blocks = count / 30u + 1u;
  unsigned collected = 0;
  WalkBlocks(image, Record(image, record_offset).first_block(), blocks, [&](const Block& b) {
    const int32_t pairs = b.sample_count() / 2;
    for (int32_t k = 0; k < pairs && collected < kPifrMaxValues; ++k, ++collected) {
      if (collected % 5 != 0) continue;
      const unsigned point = collected / 5;
      if (point < count) curve.v[2 + point] = image.U16(b.samples() + 4u * k + 2u);
    }
  });
  uint16_t largest = 0;
  for (unsigned i = 0; i < count; ++i)
    if (curve.v[2 + i] > largest) largest = curve.v[2 + i];
  curve.v[1] = largest;
}

namespace {

void DecodePifrStep(const FileImage& image, uint32_t record_offset, ResultTables& tables,
                    int slot) {
  DecodePifrSlope(image, record_offset, tables.pifr[slot]);
}

const char* const kTitlesPifr[] = {"Filename",     "Date/Time", "Meas.Type",
                                   "LAdap(T:min)", "K",         "END"};

void FillGridPara_PIFR(const GridSource& src, Grid& grid) {
  RowCounter rows(grid);
  ForEachSelected(src, [&](int i, uint32_t off) {
    RowWriter w(grid, rows.Next());
    const MeasSettings set = DecodeSettings(src.image, off);
    w.Identity(src.image, off, TypeCode::kPifr);
    w.Pair(3, set.PifrAdaptAl, set.PifrAdaptMin);
    w.Fixed(4, src.results.pifr[i].K);
  });
}

}  // namespace

const TypeParams kPifrParams = {RadioItem::kPifr, DecodePifrStep, kTitlesPifr, FillGridPara_PIFR};

}  // namespace corvel
