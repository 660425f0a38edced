// What the per-type drawings of the curve page share: box set-up, the walk over the selected
// records that get a box, and small helpers. Defined in draw.cpp.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "charts/chart_state.h"
#include "charts/draw.h"
#include "records/measurement_type.h"
#include "records/record_list.h"

namespace corvel {

// Captions and titles show the start of a list label.
std::string_view LabelStart(const RecordList& list, int position);

// The first selected list position, -1 when none is selected.
int FirstSelected(const RecordList& list);

// A box is always enabled before it is checked, so checking it shows its curve.
void UseBox(ChartState& chart, int radio_item, int slot, std::string_view caption);

// A box that stands for the record at list position p: its caption is the label's start.
void UseRecordBox(ChartState& chart, int radio_item, int slot, const RecordList& list, int p);

// The largest rETR truncated toward zero, for the right axis.
uint32_t TruncateMax(float max);

void AddPoint(Series& series, double x, double y);

// Position of the first data block of the record at list position `position`.
uint64_t FirstBlock(const ChartSource& source, int position);

// A curve of a pulse kinetics or rapid light curve comparison: the chosen parameter row, rETR on
// the right axis.
void PrepareChoiceCurve(ChartState& chart, int slot);

// The single-record view of the quenching rows: the eight parameters in the first eight boxes,
// rETR against the right axis.
void PrepareQuenchingRows(ChartState& chart, int radio_item, int title_position,
                          const RecordList& list);

// The start of the drawings that show one record's traces on the OJIP time axis: axes up to
// `left_max`, the record's label as the title.
void BeginSingleRecordOjipChart(ChartState& chart, int radio_item, const RecordList& list, int p,
                                uint32_t left_max);

// The largest of n values.
uint32_t LargestOf(const uint16_t* v, int n);

// The same for the first selected record, with the axes up to left_max(position): returns the
// position of that record's first data block, or nothing (nothing drawn) when none is selected.
template <class LeftMax>
std::optional<uint64_t> BeginFirstSelectedOjipChart(const ChartSource& source, ChartState& chart,
                                                    int radio_item, LeftMax&& left_max) {
  const int p = FirstSelected(source.list);
  if (p < 0) return std::nullopt;
  BeginSingleRecordOjipChart(chart, radio_item, source.list, p, left_max(p));
  return FirstBlock(source, p);
}

// The drawings of the traces of the first selected record (after steady state, dark relaxation,
// multi-light OJIP): the axes up to the largest of the `fm_count` Fm values of its result in
// `results` (the type's result table), then draw(radio item, position of its first data block).
// Nothing is drawn when no record is selected.
template <class Result, class DrawTraces>
void DrawFirstSelectedTraces(const ChartSource& source, ChartState& chart, RadioItem item,
                             const Result* results, int fm_count, DrawTraces&& draw) {
  const int radio = ItemIndex(item);
  const std::optional<uint64_t> first = BeginFirstSelectedOjipChart(
      source, chart, radio, [&](int p) { return LargestOf(results[p].Fm, fm_count); });
  if (first) draw(radio, *first);
}

// Draws the OJIP trace of the data block at `block` as series `slot` in that box's colour and
// captions the box; returns the position of the next block.
uint64_t DrawBoxTrace(const ChartSource& source, ChartState& chart, int radio_item, int slot,
                      std::string_view caption, uint64_t block);

// Calls draw(position, slot) for the selected list positions in list order, one box slot each,
// until the boxes run out; returns how many slots were used.
template <class Draw>
int ForEachBoxRecord(const RecordList& list, Draw&& draw) {
  int slot = 0;
  for (int p = 0; p < list.count && slot < kBoxCount; ++p)
    if (list.selected[p]) draw(p, slot++);
  return slot;
}

}  // namespace corvel
