// The OJIP chart: the first trace of each selected record, one box each, on the OJIP time axis.
#include "charts/draw_parts.h"
#include "records/measurement_type.h"

namespace corvel {

void DrawChart_OJIP(const ChartSource& source, ChartState& chart) {
  constexpr int kRadio = ItemIndex(RadioItem::kOjip);
  ReDrawAxis(chart, kRadio, kAxisOjipTime, source.ojip_fm_max, 0, 0);
  ForEachBoxRecord(source.list, [&](int p, int slot) {
    UseRecordBox(chart, kRadio, slot, source.list, p);
    DrawOJIP(source.image, FirstBlock(source, p), chart.smoothed[slot], kBoxColor[slot]);
  });
}

}  // namespace corvel
