// The after-steady-state chart: the first trace of each pulse pair of the first selected record.
#include "params/after_steady_state.h"

#include <cstdio>

#include "charts/draw_parts.h"
#include "params/result_tables.h"
#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

void DrawChart_ASS(const ChartSource& source, ChartState& chart) {
  constexpr int kRadio = ItemIndex(RadioItem::kAfterSs);
  const int p = BeginFirstSelectedOjipChart(chart, kRadio, source.list, [&](int q) {
    return LargestOf(source.results.afterss[q].Fm, kBoxCount);
  });
  if (p < 0) return;
  // The first trace of each pulse pair: five after darkness, five after far-red light.
  uint64_t b = FirstBlock(source, p);
  char caption[16];
  for (int k = 0; k < kBoxCount; ++k) {
    if (k < 5)
      std::snprintf(caption, sizeof caption, "D_OJIP:%d", k + 1);
    else
      std::snprintf(caption, sizeof caption, "FR_OJIP:%d", k - 4);
    UseBox(chart, kRadio, k, caption);
    DrawOJIP(source.image, b, chart.smoothed[k], kBoxColor[k]);
    b = NextBlockUnchecked(source.image, b);
    b = NextBlockUnchecked(source.image, b);
  }
}

}  // namespace corvel
