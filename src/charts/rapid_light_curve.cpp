// The rapid light curve chart: one record's eight quenching rows over the light steps, or, for
// several records, the row the curve choice picks, one curve per record.
#include "params/rapid_light_curve.h"

#include "charts/draw_parts.h"
#include "params/result_tables.h"
#include "records/measurement_type.h"

namespace corvel {

void DrawChart_RLC(const ChartSource& source, ChartState& chart) {
  constexpr int kRadio = ItemIndex(RadioItem::kRlc);
  const RecordList& list = source.list;
  int title_position = -1;
  float max = 0.0f;
  ForEachBoxRecord(list, [&](int p, int slot) {
    if (slot == 0) title_position = p;
    const RlcResult& r = source.results.rlc[p];
    for (int k = 0; k < kRlcSteps; ++k)
      if (r.row[kRowRetr][k] > max) max = r.row[kRowRetr][k];
  });
  ReDrawAxis(chart, kRadio, kAxisLight, 1, 0, TruncateMax(max));

  if (list.selected_count == 1 && title_position >= 0) {
    PrepareQuenchingRows(chart, kRadio, title_position, list);
    const RlcResult& r = source.results.rlc[title_position];
    for (int k = 0; k < kRlcSteps; ++k)
      for (int m = 0; m < kQuenchingRows; ++m) AddPoint(chart.line[m], kRlcLight[k], r.row[m][k]);
    return;
  }

  chart.combo.visible = true;
  const int m = chart.combo.index;
  ForEachBoxRecord(list, [&](int p, int slot) {
    UseRecordBox(chart, kRadio, slot, list, p);
    PrepareChoiceCurve(chart, slot);
    if (m < 0 || m >= kQuenchingRows) return;
    const RlcResult& r = source.results.rlc[p];
    for (int k = 0; k < kRlcSteps; ++k) AddPoint(chart.line[slot], kRlcLight[k], r.row[m][k]);
  });
}

}  // namespace corvel
