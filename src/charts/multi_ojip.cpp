// The multi-light OJIP chart: the six traces of the first selected record, one per light level.
#include "params/multi_ojip.h"

#include <cstdio>

#include "charts/draw_parts.h"
#include "params/result_tables.h"
#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

void DrawChart_MTOJIP(const ChartSource& source, ChartState& chart) {
  constexpr int kRadio = ItemIndex(RadioItem::kMultiOjip);
  const int p = BeginFirstSelectedOjipChart(chart, kRadio, source.list, [&](int q) {
    return LargestOf(source.results.multiojip[q].Fm, kMultiOjipSteps);
  });
  if (p < 0) return;
  uint64_t b = FirstBlock(source, p);
  char caption[16];
  for (int k = 0; k < kMultiOjipSteps; ++k) {
    std::snprintf(caption, sizeof caption, "AL=%u", unsigned{kMultiOjipLight[k]});
    UseBox(chart, kRadio, k, caption);
    DrawOJIP(source.image, b, chart.smoothed[k], kBoxColor[k]);
    b = NextBlockUnchecked(source.image, b);
  }
}

}  // namespace corvel
