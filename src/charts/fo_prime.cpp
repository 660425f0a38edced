// The Fo' chart: the dark and the far-red trace of the first selected record.
#include "params/fo_prime.h"

#include "charts/draw_parts.h"
#include "params/result_tables.h"
#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

void DrawChart_Fo(const ChartSource& source, ChartState& chart) {
  constexpr int kRadio = ItemIndex(RadioItem::kFoPrime);
  const int p = BeginFirstSelectedOjipChart(chart, kRadio, source.list, [&](int q) {
    const FoPrimeResult& r = source.results.foprime[q];
    return r.Fm > r.FmPrime ? r.Fm : r.FmPrime;
  });
  if (p < 0) return;
  UseBox(chart, kRadio, 0, "DA_OJIP");
  UseBox(chart, kRadio, 1, "FR_OJIP");
  uint64_t b = FirstBlock(source, p);
  DrawOJIP(source.image, b, chart.smoothed[0], kBoxColor[0]);
  b = NextBlockUnchecked(source.image, b);
  DrawOJIP(source.image, b, chart.smoothed[1], kBoxColor[1]);
}

}  // namespace corvel
