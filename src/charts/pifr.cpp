// The PIFR chart: the thinned curve of each selected record, one box each, over seconds.
#include "params/pifr.h"

#include "charts/draw_parts.h"
#include "records/measurement_type.h"

namespace corvel {

void DrawChart_PIFR(const ChartSource& source, ChartState& chart) {
  constexpr int kRadio = ItemIndex(RadioItem::kPifr);
  const RecordList& list = source.list;
  PifrCurve curves[kBoxCount];
  uint32_t left_max = 0;
  uint32_t longest = 0;
  ForEachBoxRecord(list, [&](int p, int slot) {
    ComputePifrCurve(source.image, list.offset(p), curves[slot]);
    if (curves[slot].largest() > left_max) left_max = curves[slot].largest();
    if (curves[slot].count() > longest) longest = curves[slot].count();
  });
  const uint32_t bottom_max = longest < 150u ? 150u : 300u;
  ReDrawAxis(chart, kRadio, kAxisSeconds, left_max, bottom_max, 0);

  ForEachBoxRecord(list, [&](int p, int slot) {
    UseRecordBox(chart, kRadio, slot, list, p);
    Series& s = chart.line[slot];
    s.color = kBoxColor[slot];
    // Each curve rises from 0 at 0 s to its first point.
    AddPoint(s, 0, 0);
    const PifrCurve& c = curves[slot];
    const int count = c.count() < kPifrMaxPoints ? c.count() : kPifrMaxPoints;
    for (int k = 0; k < count; ++k) AddPoint(s, k, c.point(k));
  });
}

}  // namespace corvel
