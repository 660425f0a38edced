#include "charts/draw.h"

#include <cstdio>

#include "params/result_tables.h"
#include "params/slowkin.h"
#include "records/block_roles.h"
#include "records/measurement_type.h"
#include "records/record.h"
#include "records/time_base.h"

namespace corvel {

namespace {

constexpr int kRadioOjip = ItemIndex(RadioItem::kOjip);
constexpr int kRadioSlowKin = ItemIndex(RadioItem::kSlowKin);
constexpr int kRadioRlc = ItemIndex(RadioItem::kRlc);
constexpr int kRadioDr = ItemIndex(RadioItem::kDr);
constexpr int kRadioAfterSs = ItemIndex(RadioItem::kAfterSs);
constexpr int kRadioPifr = ItemIndex(RadioItem::kPifr);
constexpr int kRadioMultiOjip = ItemIndex(RadioItem::kMultiOjip);
constexpr int kRadioFoPrime = ItemIndex(RadioItem::kFoPrime);

constexpr size_t kCaptionLength = 12;  // captions and titles show the start of a list label

std::string_view LabelStart(const RecordList& list, int position) {
  return list.label(position).substr(0, kCaptionLength);
}

int FirstSelected(const RecordList& list) {
  for (int p = 0; p < list.count; ++p)
    if (list.selected[p]) return p;
  return -1;
}

// A box is always enabled before it is checked, so checking it shows its curve.
void UseBox(ChartState& chart, int radio_item, int slot, std::string_view caption) {
  CheckBox& box = chart.box[slot];
  box.caption.assign(caption);
  box.enabled = true;
  box.record = -1;
  SetBoxChecked(chart, radio_item, slot, true);
}

// A box that stands for the record at list position p: its caption is the label's start.
void UseRecordBox(ChartState& chart, int radio_item, int slot, const RecordList& list, int p) {
  UseBox(chart, radio_item, slot, LabelStart(list, p));
  chart.box[slot].record = p;
}

void ResetBoxes(ChartState& chart, int radio_item) {
  for (int i = 0; i < kBoxCount; ++i) {
    chart.box[i].caption.assign(1, ' ');  // GCC 12 at -O3 warns falsely (-Wrestrict) on assign(" ")
    chart.box[i].enabled = false;
    chart.box[i].record = -1;
    SetBoxChecked(chart, radio_item, i, false);
  }
}

uint32_t AxisExtent(uint32_t max) {
  return max < 2000u ? 2000u : max + 100u;
}
uint32_t RightExtent(uint32_t max) {
  return max < 25u ? 30u : max + 5u;
}

// The largest rETR truncated toward zero; the maximum starts at 0, so only the upper end needs a
// bound.
uint32_t TruncateMax(float max) {
  if (!(max > 0.0f)) return 0;
  if (max >= 4294967040.0f) return 4294967040u;
  return static_cast<uint32_t>(max);
}

void AddPoint(Series& series, double x, double y) {
  series.points.push_back({x, y});
}

uint64_t FirstBlock(const ChartSource& source, int position) {
  return Record(source.image, source.list.offset(position)).first_block();
}

// A curve of a pulse kinetics or rapid light curve comparison: the chosen parameter row, rETR on
// the right axis.
void PrepareChoiceCurve(ChartState& chart, int slot) {
  Series& s = chart.line[slot];
  s.right_axis = chart.combo.index == kRowRetr;
  s.color = kBoxColor[slot];
}

// The single-record view of the quenching rows: the eight parameters in the first eight boxes,
// rETR against the right axis.
void PrepareQuenchingRows(ChartState& chart, int radio_item, int title_position,
                          const RecordList& list) {
  chart.title.assign(LabelStart(list, title_position));
  chart.combo.visible = false;
  for (int m = 0; m < kQuenchingRows; ++m) {
    UseBox(chart, radio_item, m, kCurveChoice[m]);
    Series& s = chart.line[m];
    s.color = kBoxColor[m];
    s.right_axis = false;
    s.visible = true;
  }
  chart.line[kRowRetr].right_axis = true;
}

}  // namespace

void SetBoxChecked(ChartState& chart, int radio_item, int slot, bool checked) {
  if (slot < 0 || slot >= kBoxCount) return;
  if (chart.box[slot].checked == checked) return;
  chart.box[slot].checked = checked;
  PicChkBoxFNClk(chart, radio_item, slot);
}

void PicChkBoxFNClk(ChartState& chart, int radio_item, int slot) {
  if (slot < 0 || slot >= kBoxCount) return;
  const MeasurementType* type = TypeAt(radio_item);
  switch (type ? type->binding : BoxBinding::kNone) {
    case BoxBinding::kSmoothed:
      chart.smoothed[slot].visible = chart.box[slot].checked;
      break;
    case BoxBinding::kLine:
      chart.line[slot].visible = chart.box[slot].checked;
      break;
    case BoxBinding::kLineAndFit:
      chart.line[slot].visible = chart.box[slot].checked;
      chart.fit[slot].visible = chart.box[slot].checked;
      break;
    case BoxBinding::kFirstAndLast:
      // Only the first and the last of the twenty traces have a box.
      chart.smoothed[0].visible = chart.box[0].checked;
      chart.smoothed[kSeriesCount - 1].visible = chart.box[kBoxCount - 1].checked;
      break;
    case BoxBinding::kNone:
      break;
  }
}

void ResetForTypeSwitch(ChartState& chart, int radio_item) {
  ++chart.drawing;
  chart.combo.visible = false;
  ResetBoxes(chart, radio_item);
  for (int k = 0; k < kSeriesCount; ++k) {
    chart.smoothed[k].points.clear();
    chart.line[k].points.clear();
  }
  chart.title.clear();
}

void ReDrawAxis(ChartState& chart, int radio_item, uint8_t mode, uint32_t left_max,
                uint32_t bottom_max, uint32_t right_max) {
  ++chart.drawing;
  ResetBoxes(chart, radio_item);
  for (int k = 0; k < kSeriesCount; ++k) {
    chart.smoothed[k].points.clear();
    chart.smoothed[k].width = 3;
    chart.line[k].points.clear();
    chart.line[k].width = 3;
    chart.line[k].right_axis = false;
  }
  chart.title.clear();
  chart.left.min = 0;
  chart.right.min = 0;
  chart.bottom.min = 0;
  chart.right.visible = false;
  switch (mode) {
    case kAxisOjipTime:
      chart.left.max = AxisExtent(left_max);
      chart.bottom.log = true;
      chart.bottom.format.assign(kFormatOjipTime);
      chart.bottom.max = 10000000;
      chart.bottom.min = 10;
      break;
    case kAxisPulse:
      chart.left.max = 1;
      chart.right.visible = true;
      chart.right.max = RightExtent(right_max);
      chart.bottom.max = 20;
      chart.bottom.min = 1;
      chart.bottom.log = false;
      chart.bottom.format.assign(kFormatPulse);
      break;
    case kAxisLight:
      chart.left.max = 1;
      chart.right.visible = true;
      chart.right.max = RightExtent(right_max);
      chart.bottom.log = false;
      chart.bottom.format.assign(kFormatLight);
      chart.bottom.max = 2500;
      chart.bottom.min = 0;
      break;
    case kAxisSeconds:
      chart.left.max = AxisExtent(left_max);
      chart.bottom.log = false;
      chart.bottom.format.assign(kFormatSeconds);
      chart.bottom.min = 0;
      chart.bottom.max = bottom_max;
      break;
    default:
      break;
  }
}

void DrawOJIP(const FileImage& image, uint64_t block_pos, Series& series, uint32_t color) {
  series.color = color;
  const Block b = BlockAt(image, block_pos);
  int32_t n = b.sample_count();
  if (n <= 0) return;
  if (n > kOjipSamplesUsed) n = kOjipSamplesUsed;
  // A trace shorter than the time base draws only the samples it holds.
  for (int32_t i = 0; i < n; ++i)
    AddPoint(series, OjipTimeUs(static_cast<uint32_t>(i)),
             image.U16(b.samples() + 2u * static_cast<uint32_t>(i)));
}

void DrawChart_OJIP(const ChartSource& source, ChartState& chart) {
  ReDrawAxis(chart, kRadioOjip, kAxisOjipTime, source.ojip_fm_max, 0, 0);
  const RecordList& list = source.list;
  int slot = 0;
  for (int p = 0; p < list.count; ++p) {
    if (!list.selected[p]) continue;
    if (slot == kBoxCount) break;
    UseRecordBox(chart, kRadioOjip, slot, list, p);
    DrawOJIP(source.image, FirstBlock(source, p), chart.smoothed[slot], kBoxColor[slot]);
    ++slot;
  }
}

void DrawChart_MTOJIP(const ChartSource& source, ChartState& chart) {
  const int p = FirstSelected(source.list);
  if (p < 0) return;
  const MultiOjipResult& r = source.results.multiojip[p];
  uint32_t left_max = 0;
  for (int k = 0; k < kMultiOjipSteps; ++k)
    if (r.Fm[k] > left_max) left_max = r.Fm[k];
  ReDrawAxis(chart, kRadioMultiOjip, kAxisOjipTime, left_max, 0, 0);
  chart.title.assign(LabelStart(source.list, p));
  uint64_t b = FirstBlock(source, p);
  char caption[16];
  for (int k = 0; k < kMultiOjipSteps; ++k) {
    std::snprintf(caption, sizeof caption, "AL=%u", unsigned{kMultiOjipLight[k]});
    UseBox(chart, kRadioMultiOjip, k, caption);
    DrawOJIP(source.image, b, chart.smoothed[k], kBoxColor[k]);
    b = NextBlockUnchecked(source.image, b);
  }
}

void DrawChart_SlowK(const ChartSource& source, ChartState& chart) {
  const RecordList& list = source.list;
  int slot = 0;
  int title_position = -1;
  float max = 0.0f;
  for (int p = 0; p < list.count; ++p) {
    if (!list.selected[p]) continue;
    if (slot == 0) title_position = p;
    if (slot == kBoxCount) break;
    SlowKinPulseSeries& s = chart.pulse[slot];
    ComputeSlowKinPulseSeries(source.image, list.offset(p), s);
    const int count = s.count < kSlowKinMaxPulses ? s.count : kSlowKinMaxPulses;
    for (int r = 0; r < count; ++r)
      if (s.row[kRowRetr][r] > max) max = s.row[kRowRetr][r];
    ++slot;
  }
  ReDrawAxis(chart, kRadioSlowKin, kAxisPulse, 1, 0, TruncateMax(max));

  if (list.selected_count == 1 && title_position >= 0) {
    PrepareQuenchingRows(chart, kRadioSlowKin, title_position, list);
    const SlowKinPulseSeries& s = chart.pulse[0];
    const int count = s.count < kSlowKinMaxPulses ? s.count : kSlowKinMaxPulses;
    for (int r = 0; r < count; ++r)
      for (int m = 0; m < kQuenchingRows; ++m) AddPoint(chart.line[m], r + 2, s.row[m][r]);
    return;
  }

  chart.combo.visible = true;
  slot = 0;
  for (int p = 0; p < list.count; ++p) {
    if (!list.selected[p]) continue;
    if (slot == kBoxCount) break;
    UseRecordBox(chart, kRadioSlowKin, slot, list, p);
    ++slot;
  }
  const int m = chart.combo.index;
  for (int q = 0; q < slot; ++q) {
    PrepareChoiceCurve(chart, q);
    if (m < 0 || m >= kQuenchingRows) continue;
    const SlowKinPulseSeries& s = chart.pulse[q];
    const int count = s.count < kSlowKinMaxPulses ? s.count : kSlowKinMaxPulses;
    for (int r = 0; r < count; ++r) AddPoint(chart.line[q], r + 2, s.row[m][r]);
  }
}

void DrawChart_RLC(const ChartSource& source, ChartState& chart) {
  const RecordList& list = source.list;
  int slot = 0;
  int title_position = -1;
  float max = 0.0f;
  for (int p = 0; p < list.count; ++p) {
    if (!list.selected[p]) continue;
    if (slot == kBoxCount) break;
    if (slot == 0) title_position = p;
    const RlcResult& r = source.results.rlc[p];
    for (int k = 0; k < kRlcSteps; ++k)
      if (r.row[kRowRetr][k] > max) max = r.row[kRowRetr][k];
    ++slot;
  }
  ReDrawAxis(chart, kRadioRlc, kAxisLight, 1, 0, TruncateMax(max));

  if (list.selected_count == 1 && title_position >= 0) {
    PrepareQuenchingRows(chart, kRadioRlc, title_position, list);
    const RlcResult& r = source.results.rlc[title_position];
    for (int k = 0; k < kRlcSteps; ++k)
      for (int m = 0; m < kQuenchingRows; ++m) AddPoint(chart.line[m], kRlcLight[k], r.row[m][k]);
    return;
  }

  chart.combo.visible = true;
  const int m = chart.combo.index;
  slot = 0;
  for (int p = 0; p < list.count; ++p) {
    if (!list.selected[p]) continue;
    if (slot == kBoxCount) break;
    UseRecordBox(chart, kRadioRlc, slot, list, p);
    PrepareChoiceCurve(chart, slot);
    if (m >= 0 && m < kQuenchingRows) {
      const RlcResult& r = source.results.rlc[p];
      for (int k = 0; k < kRlcSteps; ++k) AddPoint(chart.line[slot], kRlcLight[k], r.row[m][k]);
    }
    ++slot;
  }
}

void DrawChart_DR(const ChartSource& source, ChartState& chart) {
  const int p = FirstSelected(source.list);
  if (p < 0) return;
  const DrResult& r = source.results.dr[p];
  uint32_t left_max = 0;
  for (int k = 0; k < kDrPulses; ++k)
    if (r.Fm[k] > left_max) left_max = r.Fm[k];
  ReDrawAxis(chart, kRadioDr, kAxisOjipTime, left_max, 0, 0);
  chart.title.assign(LabelStart(source.list, p));
  UseBox(chart, kRadioDr, 0, "OJIP:1");
  UseBox(chart, kRadioDr, kBoxCount - 1, "OJIP:20");
  // Twenty traces in ten colours: each pair of pulses shares the colour of one box.
  uint64_t b = FirstBlock(source, p);
  for (int k = 0; k < kSeriesCount; ++k) {
    chart.smoothed[k].visible = true;
    DrawOJIP(source.image, b, chart.smoothed[k], kBoxColor[k / 2]);
    b = NextBlockUnchecked(source.image, b);
  }
}

void DrawChart_ASS(const ChartSource& source, ChartState& chart) {
  const int p = FirstSelected(source.list);
  if (p < 0) return;
  const AfterSsResult& r = source.results.afterss[p];
  uint32_t left_max = 0;
  for (int k = 0; k < kBoxCount; ++k)
    if (r.Fm[k] > left_max) left_max = r.Fm[k];
  ReDrawAxis(chart, kRadioAfterSs, kAxisOjipTime, left_max, 0, 0);
  chart.title.assign(LabelStart(source.list, p));
  // The first trace of each pulse pair: five after darkness, five after far-red light.
  uint64_t b = FirstBlock(source, p);
  char caption[16];
  for (int k = 0; k < kBoxCount; ++k) {
    if (k < 5)
      std::snprintf(caption, sizeof caption, "D_OJIP:%d", k + 1);
    else
      std::snprintf(caption, sizeof caption, "FR_OJIP:%d", k - 4);
    UseBox(chart, kRadioAfterSs, k, caption);
    DrawOJIP(source.image, b, chart.smoothed[k], kBoxColor[k]);
    b = NextBlockUnchecked(source.image, b);
    b = NextBlockUnchecked(source.image, b);
  }
}

void DrawChart_Fo(const ChartSource& source, ChartState& chart) {
  const int p = FirstSelected(source.list);
  if (p < 0) return;
  const FoPrimeResult& r = source.results.foprime[p];
  const uint32_t left_max = r.Fm > r.FmPrime ? r.Fm : r.FmPrime;
  ReDrawAxis(chart, kRadioFoPrime, kAxisOjipTime, left_max, 0, 0);
  chart.title.assign(LabelStart(source.list, p));
  UseBox(chart, kRadioFoPrime, 0, "DA_OJIP");
  UseBox(chart, kRadioFoPrime, 1, "FR_OJIP");
  uint64_t b = FirstBlock(source, p);
  DrawOJIP(source.image, b, chart.smoothed[0], kBoxColor[0]);
  b = NextBlockUnchecked(source.image, b);
  DrawOJIP(source.image, b, chart.smoothed[1], kBoxColor[1]);
}

void DrawChart_PIFR(const ChartSource& source, ChartState& chart) {
  const RecordList& list = source.list;
  PifrCurve curves[kBoxCount];
  uint32_t left_max = 0;
  uint32_t longest = 0;
  int slot = 0;
  for (int p = 0; p < list.count; ++p) {
    if (!list.selected[p]) continue;
    if (slot == kBoxCount) break;
    ComputePifrCurve(source.image, list.offset(p), curves[slot]);
    if (curves[slot].largest() > left_max) left_max = curves[slot].largest();
    if (curves[slot].count() > longest) longest = curves[slot].count();
    ++slot;
  }
  const uint32_t bottom_max = longest < 150u ? 150u : 300u;
  ReDrawAxis(chart, kRadioPifr, kAxisSeconds, left_max, bottom_max, 0);

  slot = 0;
  for (int p = 0; p < list.count; ++p) {
    if (!list.selected[p]) continue;
    if (slot == kBoxCount) break;
    UseRecordBox(chart, kRadioPifr, slot, list, p);
    Series& s = chart.line[slot];
    s.color = kBoxColor[slot];
    // Each curve rises from 0 at 0 s to its first point.
    AddPoint(s, 0, 0);
    const PifrCurve& c = curves[slot];
    const int count = c.count() < kPifrMaxPoints ? c.count() : kPifrMaxPoints;
    for (int k = 0; k < count; ++k) AddPoint(s, k, c.point(k));
    ++slot;
  }
}

void CbBoxSKChange(int index, int radio_item, const ChartSource& source, ChartState& chart) {
  chart.combo.index = (index >= 0 && index < kQuenchingRows) ? index : -1;
  if (radio_item == kRadioSlowKin)
    DrawChart_SlowK(source, chart);
  else if (radio_item == kRadioRlc)
    DrawChart_RLC(source, chart);
}

void DrawChartForRadio(int radio_item, const ChartSource& source, ChartState& chart) {
  using Drawing = void (*)(const ChartSource&, ChartState&);
  // In screen order; user-defined programs and chlorophyll concentration have no chart.
  static constexpr Drawing kDrawing[kTypeCount] = {
      DrawChart_OJIP, DrawChart_SlowK,  DrawChart_RLC, DrawChart_DR, DrawChart_ASS,
      DrawChart_PIFR, DrawChart_MTOJIP, DrawChart_Fo,  nullptr,      nullptr};
  const MeasurementType* type = TypeAt(radio_item);
  if (type != nullptr && type->has_chart) kDrawing[radio_item](source, chart);
}

}  // namespace corvel
