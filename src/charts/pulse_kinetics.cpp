// The pulse kinetics chart: one record's eight quenching rows over the pulses, or, for several
// records, the row the curve choice picks, one curve per record.
#include "params/pulse_kinetics.h"

#include "charts/draw_parts.h"
#include "records/measurement_type.h"

namespace corvel {

namespace {

int PulseCount(const SlowKinPulseSeries& s) {
  return s.count < kSlowKinMaxPulses ? s.count : kSlowKinMaxPulses;
}

}  // namespace

void DrawChart_SlowK(const ChartSource& source, ChartState& chart) {
  constexpr int kRadio = ItemIndex(RadioItem::kSlowKin);
  const RecordList& list = source.list;
  int title_position = -1;
  float max = 0.0f;
  const int slots = ForEachBoxRecord(list, [&](int p, int slot) {
    if (slot == 0) title_position = p;
    SlowKinPulseSeries& s = chart.pulse[slot];
    ComputeSlowKinPulseSeries(source.image, list.offset(p), s);
    for (int r = 0; r < PulseCount(s); ++r)
      if (s.row[kRowRetr][r] > max) max = s.row[kRowRetr][r];
  });
  ReDrawAxis(chart, kRadio, kAxisPulse, 1, 0, TruncateMax(max));

  // The pulses are numbered from 2: pulse 1 is the dark reference.
  if (list.selected_count == 1 && title_position >= 0) {
    PrepareQuenchingRows(chart, kRadio, title_position, list);
    const SlowKinPulseSeries& s = chart.pulse[0];
    for (int r = 0; r < PulseCount(s); ++r)
      for (int m = 0; m < kQuenchingRows; ++m) AddPoint(chart.line[m], r + 2, s.row[m][r]);
    return;
  }

  chart.combo.visible = true;
  ForEachBoxRecord(list, [&](int p, int slot) { UseRecordBox(chart, kRadio, slot, list, p); });
  const int m = chart.combo.index;
  for (int q = 0; q < slots; ++q) {
    PrepareChoiceCurve(chart, q);
    if (m < 0 || m >= kQuenchingRows) continue;
    const SlowKinPulseSeries& s = chart.pulse[q];
    for (int r = 0; r < PulseCount(s); ++r) AddPoint(chart.line[q], r + 2, s.row[m][r]);
  }
}

}  // namespace corvel
