// The drawings of the curve page: the reset and axis set-up that precede every drawing, the binding
// of the record check boxes to the curves, the curve choice and one drawing per measurement type.
// Radio items are the measurement types in screen order (0 OJIP .. 9 chlorophyll concentration).
#pragma once

#include <cstdint>

#include "charts/chart_state.h"
#include "records/file_image.h"
#include "records/record_list.h"

namespace corvel {

struct ResultTables;

// What the drawings read: the file image, the current list with its selection, the result tables
// of the current type and the largest Fm of the listed OJIP records.
struct ChartSource {
  const FileImage& image;
  const RecordList& list;
  const ResultTables& results;
  uint32_t ojip_fm_max;
};

// Axis modes of ReDrawAxis.
inline constexpr uint8_t kAxisOjipTime = 1;
inline constexpr uint8_t kAxisPulse = 2;
inline constexpr uint8_t kAxisLight = 3;
inline constexpr uint8_t kAxisSeconds = 4;

// The type switch's part of the chart: combo hidden, boxes blank, disabled and unchecked (hiding
// the curves of boxes that were checked), all 40 series emptied, title empty. Axes stay.
void ResetForTypeSwitch(ChartState& chart, int radio_item);

// The list click's part of the chart: the drawing of the radio item's type. The user-defined and
// chlorophyll types draw nothing.
void DrawChartForRadio(int radio_item, const ChartSource& source, ChartState& chart);

// Sets a box's checked state; only a change runs PicChkBoxFNClk, as the box's click event does.
void SetBoxChecked(ChartState& chart, int radio_item, int slot, bool checked);

// A record's check box on the curve page was clicked: shows or hides the curve bound to box
// `slot` under the radio item's type.
void PicChkBoxFNClk(ChartState& chart, int radio_item, int slot);

// The curve-choice combo of pulse kinetics changed: it picked item `index` (-1 for none; other
// values count as none); the pulse kinetics and rapid light curve charts are redrawn.
void CbBoxSKChange(int index, int radio_item, const ChartSource& source, ChartState& chart);

// Resets the boxes and series and sets the axes up for `mode` (1 OJIP time, 2 pulse number,
// 3 light intensity, 4 seconds; any other mode only resets). Unchecking runs the binding of
// `radio_item`.
void ReDrawAxis(ChartState& chart, int radio_item, uint8_t mode, uint32_t left_max,
                uint32_t bottom_max, uint32_t right_max);

// Adds the OJIP trace of the block at `block_pos` to `series` in `color`: one point per sample the
// trace holds, at most 208, at the sample's time in microseconds. Only adds points.
void DrawOJIP(const FileImage& image, uint64_t block_pos, Series& series, uint32_t color);

void DrawChart_OJIP(const ChartSource& source, ChartState& chart);
void DrawChart_SlowK(const ChartSource& source, ChartState& chart);
void DrawChart_RLC(const ChartSource& source, ChartState& chart);
void DrawChart_DR(const ChartSource& source, ChartState& chart);
void DrawChart_ASS(const ChartSource& source, ChartState& chart);
void DrawChart_PIFR(const ChartSource& source, ChartState& chart);
void DrawChart_MTOJIP(const ChartSource& source, ChartState& chart);
void DrawChart_Fo(const ChartSource& source, ChartState& chart);

}  // namespace corvel
